#!/usr/bin/env bash
# Fails unless hardening-check finds in each program every protection Debian 12's toolchain can
# show: PIE, stack canaries, fortified libc calls, read-only relocations bound at start. (Stack
# clash probes show only where a frame is large enough to need them, and CET only where the C
# runtime's start files carry it, which Debian 12's do not.)
# usage: check_hardening.sh <program>...
set -euo pipefail
status=0
for program in "$@"; do
  report=$(hardening-check "$program") || true
  echo "$report"
  for line in 'Position Independent Executable' 'Stack protected' 'Fortify Source functions' \
              'Read-only relocations' 'Immediate binding'; do
    grep -q "^ $line: yes" <<<"$report" || { echo "FAIL: $program: $line is not yes"; status=1; }
  done
done
exit "$status"
