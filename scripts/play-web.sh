#!/usr/bin/env bash
# Builds the web page and serves it on this machine only; open the address it prints in a
# browser. The first argument picks the port (8000 by default). Ctrl+C stops the server.
# Served by nginx with the server block the build writes (build/web/window/nginx.conf) when nginx
# is installed, as a real host serves it; by Python's development server otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh web
cmake --preset web >/dev/null
cmake --build --preset web
port=${1:-8000}
site=$PWD/build/web/window/web
echo "worm: open http://127.0.0.1:$port/ in a browser"
if ! command -v nginx >/dev/null && [ ! -x /usr/sbin/nginx ]; then
  exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site"
fi
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
mkdir -p "$prefix"/{client_body,proxy,fastcgi,uwsgi,scgi}
{
  [ "$(id -u)" -eq 0 ] && echo 'user root;' # else its workers run as nobody, who may not read the site
  echo 'worker_processes 1; events { worker_connections 64; }'
  echo "http { access_log off;"
  for t in client_body proxy fastcgi uwsgi scgi; do echo "${t}_temp_path $prefix/$t;"; done
  sed -e "s|^\(\s*\)listen 80;|\1listen 127.0.0.1:$port;|" -e "s|^\(\s*\)root /var/www/worm;|\1root $site;|" \
    build/web/window/nginx.conf
  echo '}'
} >"$prefix/nginx.conf"
PATH=$PATH:/usr/sbin nginx -p "$prefix" -c "$prefix/nginx.conf" -e stderr -g "daemon off; pid $prefix/nginx.pid;"
