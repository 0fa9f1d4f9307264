#!/usr/bin/env bash
# The web page's figures: builds the page and the floor pages with the web preset's flags
# (build/web-bench), then plays the game against them in each engine in turn
# (bench/web/figures.mjs) and prints them side by side (bench/web/table.mjs). About four minutes
# an engine; run it alone:
#   flock /tmp/worm-build.lock bench/web-figures.sh
# ENGINES (default "chromium firefox webkit") picks the engines; ROUNDS, START_LOADS, PLAY_SECONDS
# and IDLE_SECONDS change its length.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset web-bench >/dev/null
cmake --build --preset web-bench >/dev/null
if [[ ! -d tests/web/node_modules ]]; then
  (cd tests/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --ignore-scripts --no-audit --no-fund >/dev/null)
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
files=()
for engine in ${ENGINES:-chromium firefox webkit}; do
  WORM_BROWSER=$engine WORM_FIGURES_OUT=$out/$engine.json WORM_WEB_DIR=$PWD/build/web-bench/window/web \
    WORM_FLOOR_DIR=$PWD/build/web-bench/bench/web node bench/web/figures.mjs
  files+=("$out/$engine.json")
done
node bench/web/table.mjs "${files[@]}"
