#!/usr/bin/env bash
# Starts a headless weston on a socket of its own and the built game on it with Qt's Wayland
# platform, and reads the protocol the game speaks (WAYLAND_DEBUG): it must draw a window titled
# with the score line, then end by itself, by exit and not by a signal, once the compositor goes.
# Exits 77 (skipped) where weston is not installed. Always cleans up what it started.
# usage: wayland_session_test.sh <worm>
set -euo pipefail
worm=$1
command -v weston >/dev/null || { echo "weston is not installed"; exit 77; }
work=$(mktemp -d)
chmod 700 "$work" # the runtime directory Wayland wants: private to its user
weston_pid='' worm_pid=''
cleanup() {
  set +e
  for pid in $worm_pid $weston_pid; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
show_logs() {
  echo "--- weston"; tail -20 "$work/weston.log"
  echo "--- worm"; grep -v '^\[' "$work/worm.log" | tail -20
}

export XDG_RUNTIME_DIR=$work
socket=worm-test-$$
weston --backend=headless-backend.so --socket="$socket" --no-config --idle-time=0 \
  --log="$work/weston.log" >/dev/null 2>&1 &
weston_pid=$!
for _ in $(seq 100); do [ -S "$work/$socket" ] && break; sleep 0.1; done
[ -S "$work/$socket" ] || { echo "weston did not open its socket"; show_logs; exit 1; }

env -u DISPLAY WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 "$worm" \
  >/dev/null 2>"$work/worm.log" &
worm_pid=$!

# The first title the game gives its toplevel, and the first buffer it shows.
title='' drawn=''
for _ in $(seq 200); do
  title=$(sed -n 's/.*-> xdg_toplevel@[0-9]*\.set_title("\(.*\)")$/\1/p' "$work/worm.log" | head -1)
  drawn=$(grep -m1 -- '-> wl_surface@[0-9]*\.attach(wl_buffer@' "$work/worm.log" || true)
  [ -n "$title" ] && [ -n "$drawn" ] && break
  kill -0 "$worm_pid" 2>/dev/null || break
  sleep 0.1
done
if ! [[ $title =~ ^Score:\ \ [0-9]+/\ [0-9]+$ ]] || [ -z "$drawn" ]; then
  echo "no window titled with the score line (title: '$title', buffer shown: ${drawn:+yes})"
  show_logs
  exit 1
fi
echo "title: $title"

# The session ends: the compositor goes away under the game.
kill "$weston_pid"
wait "$weston_pid" 2>/dev/null || true
weston_pid=''
for _ in $(seq 100); do kill -0 "$worm_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$worm_pid" 2>/dev/null; then
  echo "the game was still running 10 s after the compositor went away"
  show_logs
  exit 1
fi
status=0
wait "$worm_pid" || status=$?
worm_pid=''
if [ "$status" -gt 128 ]; then
  echo "the game died of signal $((status - 128)) when the compositor went away"
  show_logs
  exit 1
fi
echo "the compositor went away; the game exited with status $status"
