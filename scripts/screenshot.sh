#!/usr/bin/env bash
# Regenerates docs/screenshot.png from a real run of the game under openbox in a private Xvfb.
# WORM_BUILD_DIR picks the build directory (default build/dev); an argument picks the output.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${WORM_BUILD_DIR:-build/dev}
output=${1:-docs/screenshot.png}
if [ "$build" = build/dev ]; then
  cmake --preset dev >/dev/null
else
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug >/dev/null
fi
cmake --build "$build" -j2 --target worm worm_screenshot
mkdir -p "$(dirname "$output")"
"$build/tests/e2e/worm_screenshot" "$build/window/qt/worm" "$output"
