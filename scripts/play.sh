#!/usr/bin/env bash
# Builds the game in release mode and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh play
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/window/qt/worm
