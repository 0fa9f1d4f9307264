#!/usr/bin/env bash
# Builds everything and runs every test: the rules and window model without Qt, the style checks,
# the debug build, the same tests again under the sanitizers, a minute of fuzzing, then the web
# page built with emscripten and played in headless Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
cmake --workflow --preset noqt
scripts/check-style.sh build/noqt
cmake --workflow --preset dev
cmake --workflow --preset sanitize
cmake --workflow --preset fuzz
scripts/install-deps.sh web browser && cmake --workflow --preset web
