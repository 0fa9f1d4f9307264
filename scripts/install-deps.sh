#!/usr/bin/env bash
# Installs the Debian packages the named groups of work need, if any is missing.
# usage: install-deps.sh [play|test|web|browser]...
#   play: building the release game and playing it
#   test (the default): the play set and every tool the desktop tests, style checks, fuzzer,
#     Debian package build and checks, and screenshots use
#   web: building the web page (emscripten) and serving it (Python; nginx when installed)
#   browser: the web page's browser tests (Chromium, Firefox ESR, WebKitGTK's MiniBrowser and
#     WebDriver on Xvfb, nginx; Node.js and npm where none is at hand)
set -euo pipefail

play=(
  cmake make g++
  qt6-base-dev qt6-svg-dev libgl-dev
  libsdl2-dev # its headers; the game opens libSDL2 itself when a gamepad may be there
  fonts-liberation # Liberation Sans: the metrics of the Arial the buttons are designed for
)
test=(
  "${play[@]}"
  clang libclang-rt-14-dev clang-format clang-tidy pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils libx11-dev libxtst-dev openbox
  dbus-daemon at-spi2-core python3-pyatspi # the screen reader's test: a private bus and an AT-SPI client
  weston qt6-wayland
  desktop-file-utils appstream file man-db
  # the Debian package: its build, blhc, hardening-check, lintian, and its autopkgtests' needs
  build-essential debhelper dpkg-dev blhc devscripts lintian autopkgtest wmctrl
)
web=(cmake make emscripten python3 librsvg2-bin)
browser=(chromium firefox-esr webkit2gtk-driver libwebkit2gtk-4.1-0 xvfb xauth nginx-light fonts-liberation)

packages=()
for group in "${@:-test}"; do
  case $group in
    play) packages+=("${play[@]}") ;;
    test) packages+=("${test[@]}") ;;
    web) packages+=("${web[@]}") ;;
    browser) packages+=("${browser[@]}") ;;
    *)
      echo "usage: $0 [play|test|web|browser]..." >&2
      exit 2
      ;;
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
