#!/usr/bin/env bash
# Builds the web page and serves it on this machine only; open the address it prints in a
# browser. The first argument picks the port (8000 by default). Ctrl+C stops the server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh web
cmake --preset web >/dev/null
cmake --build --preset web
port=${1:-8000}
echo "worm: open http://127.0.0.1:$port/ in a browser"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web/window/web
