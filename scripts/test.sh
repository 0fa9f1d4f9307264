#!/usr/bin/env bash
# Builds everything and runs every test: the rules and window model without Qt, the style checks,
# the debug build (with the Debian package built, checked and tested installed), the release
# build's hardening, the same tests again under the sanitizers, a minute of fuzzing, then the web
# page built with emscripten and played in headless Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
cmake --workflow --preset noqt
scripts/check-style.sh build/noqt
cmake --workflow --preset dev
# The release build the README installs from: the same protections as the Debian package.
cmake --preset release >/dev/null && cmake --build --preset release
tests/install/check_hardening.sh build/release/window/qt/worm
cmake --workflow --preset sanitize
cmake --workflow --preset fuzz
scripts/install-deps.sh web browser && cmake --workflow --preset web
