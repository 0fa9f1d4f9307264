#!/usr/bin/env bash
# Starts the real game on its own Xvfb display at one scale factor, optionally resizes the window,
# grabs it and checks the board in the screenshot. Always cleans up what it started.
# usage: window_scale_test.sh <worm> <screenshot_check> <scale factor> <device px per cell> [WxH]
set -euo pipefail
worm=$1 check=$2 scale=$3 pitch=$4 size=${5:-}
work=$(mktemp -d)
xvfb_pid='' worm_pid=''
cleanup() {
  set +e
  for pid in $worm_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT

# -displayfd picks a free display and writes its number once the server accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -1 "$work/display")" XDG_RUNTIME_DIR="$work"

QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$worm" >"$work/worm.log" 2>&1 &
worm_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$worm_pid" | head -1) ||
  { echo "the game window did not appear"; cat "$work/worm.log"; exit 1; }
if [ -n "$size" ]; then
  xdotool windowsize "$window" "${size%x*}" "${size#*x}"
fi

# The first frames may still be on their way: retry the grab for a few seconds.
for _ in $(seq 20); do
  sleep 0.25
  import -window "$window" "$work/shot.png" 2>/dev/null || continue
  if "$check" "$work/shot.png" "$pitch" 2>"$work/check.log"; then
    exit 0
  fi
done
echo "scale $scale${size:+, window $size}: the board is wrong"
cat "$work/check.log"
exit 1
