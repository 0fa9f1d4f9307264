#!/usr/bin/env bash
# The web page's figures: builds the page and the floor pages with the web preset's flags
# (build/web-bench), then plays the game against them in Debian's Chromium (bench/web/figures.mjs).
# About six minutes; run it alone:
#   flock /tmp/worm-build.lock bench/web-figures.sh
# ROUNDS, START_LOADS, PLAY_SECONDS and IDLE_SECONDS change its length.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset web-bench >/dev/null
cmake --build --preset web-bench >/dev/null
if [[ ! -d tests/web/node_modules ]]; then
  (cd tests/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --ignore-scripts --no-audit --no-fund >/dev/null)
fi
WORM_WEB_DIR=$PWD/build/web-bench/window/web WORM_FLOOR_DIR=$PWD/build/web-bench/bench/web node bench/web/figures.mjs
