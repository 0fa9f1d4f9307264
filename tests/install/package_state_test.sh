#!/usr/bin/env bash
# package_on_machine against each state dpkg-query can report, through a stand-in dpkg-query.
set -euo pipefail
. "$(dirname "$0")/package_state.sh"
stub=$(mktemp -d)
trap 'rm -rf "$stub"' EXIT
printf '#!/bin/sh\nprintf %%s "$STATE"\n' >"$stub/dpkg-query"
chmod +x "$stub/dpkg-query"
failures=0
for case in installed:yes half-installed:yes unpacked:yes not-installed:no config-files:no :no; do
  state=${case%:*} want=${case#*:} got=no
  STATE=$state PATH="$stub:$PATH" package_on_machine worm && got=yes
  [ "$got" = "$want" ] || { echo "FAIL: state '$state' read as installed=$got"; failures=$((failures + 1)); }
done
[ "$failures" -eq 0 ] && echo "6 passed, 0 failed"
