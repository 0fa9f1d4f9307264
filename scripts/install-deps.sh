#!/usr/bin/env bash
# Installs the Debian packages a set of work needs, if any is missing.
# usage: install-deps.sh [play|test]
#   play: building the release game and playing it
#   test (the default): the play set and every tool the tests, style checks, fuzzer, package
#   checks and screenshots use
set -euo pipefail

play=(
  cmake make g++
  qt6-base-dev qt6-svg-dev libgl-dev
  fonts-liberation # Liberation Sans: the metrics of the Arial the buttons are designed for
)
test=(
  "${play[@]}"
  clang libclang-rt-14-dev clang-format clang-tidy pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils libx11-dev libxtst-dev openbox
  weston qt6-wayland
  desktop-file-utils appstream dpkg-dev file lintian man-db
)

case ${1:-test} in
  play) packages=("${play[@]}") ;;
  test) packages=("${test[@]}") ;;
  *)
    echo "usage: $0 [play|test]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
