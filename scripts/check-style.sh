#!/usr/bin/env bash
# Fails on any C++ file that differs from .clang-format, and on any clang-tidy finding in the
# toolkit-free code (rules/ and window/ without its front ends). Needs a configured build
# directory for its compile commands: the first argument, build/noqt by default.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/noqt}

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format-14 --dry-run --Werror "${sources[@]}"

mapfile -t tidy < <(git ls-files 'rules/*.cpp' 'window/*.cpp' | grep -v '^window/.*/')
status=0
report=$(printf '%s\n' "${tidy[@]}" | xargs -P2 -n4 clang-tidy-14 -p "$build" --quiet 2>&1) || status=$?
grep -v 'warnings generated' <<<"$report" || true
[ "$status" -eq 0 ] || { echo "style: clang-tidy found the problems above"; exit 1; }
echo "style: ${#sources[@]} files formatted, ${#tidy[@]} files clean under clang-tidy"
