#!/usr/bin/env bash
# Installs the Debian packages that the named groups need, if any is missing: "desktop" (the
# default) for the game, its build and its tests; "web" for the web page (emscripten, and Python
# to serve it); "browser" for the web page's browser tests (Chromium, Node.js and npm).
set -euo pipefail

desktop=(
  cmake make g++ clang libclang-rt-14-dev pkg-config clang-format clang-tidy
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev libgl-dev
  xvfb xauth xdotool x11-utils imagemagick fonts-liberation libx11-dev libxtst-dev
  desktop-file-utils appstream dpkg-dev file
)
web=(cmake make emscripten python3)
browser=(chromium fonts-liberation)

packages=()
for group in "${@:-desktop}"; do
  case "$group" in
    desktop) packages+=("${desktop[@]}") ;;
    web) packages+=("${web[@]}") ;;
    browser) packages+=("${browser[@]}") ;;
    *) echo "install-deps: no group $group" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
# Any Node.js with npm will do for the browser tests (the machine may bring its own); else Debian's.
if [[ " $* " == *" browser "* ]] && ! command -v npm >/dev/null; then
  missing+=(nodejs npm)
fi
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
