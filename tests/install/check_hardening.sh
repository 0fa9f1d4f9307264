#!/usr/bin/env bash
# Fails unless hardening-check shows in each program every protection Debian 12's toolchain can
# show: PIE, canaries, fortified libc calls, read-only relocations bound at start. (Stack clash
# probes show only where a frame is large enough to need them; CET needs start files with it.)
# usage: check_hardening.sh <program>...
set -uo pipefail
status=0
for program in "$@"; do
  report=$(hardening-check "$program")
  echo "$report"
  for line in 'Position Independent Executable' 'Stack protected' 'Fortify Source functions' \
              'Read-only relocations' 'Immediate binding'; do
    grep -q "^ $line: yes" <<<"$report" || { echo "FAIL: $program: $line is not yes"; status=1; }
  done
done
exit "$status"
