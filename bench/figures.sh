#!/usr/bin/env bash
# Whole-process figures: the game beside an empty Qt window, alternated under a private Xvfb.
# Prints medians over the rounds, the game's ratios to the empty window, and each budget.
set -euo pipefail
cd "$(dirname "$0")/.."

rounds=${ROUNDS:-5}          # each round starts both programs once
play_seconds=${PLAY_SECONDS:-8}
idle_seconds=${IDLE_SECONDS:-5}
settle_seconds=1             # between the window showing and reading its memory

cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
build=build/bench

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# x_watch starts its own private Xvfb and both programs in turn, one line of figures a measurement.
"$build/bench/x_watch" "$rounds" "$play_seconds" "$idle_seconds" "$settle_seconds" \
  "$build/window/qt/worm" "$build/bench/empty_window" >"$work/lines"

# The value of key=value in a line of the watcher's output.
field() { sed -n "s/.*\\b$1=\\([^ ]*\\).*/\\1/p"; }

for name in empty game; do
  grep "^run=$name " "$work/lines" | field visible_ms >"$work/$name.visible"
  grep "^run=$name " "$work/lines" | field rss_kib >"$work/$name.rss"
done
grep '^phase=' "$work/lines" >"$work/game.lines"

least() { sort -g | head -1; }
median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
phase() { grep "phase=$1 " "$work/game.lines" | field "$2" | median; }

empty_visible=$(median <"$work/empty.visible")
game_visible=$(median <"$work/game.visible")
empty_rss=$(median <"$work/empty.rss")
game_rss=$(median <"$work/game.rss")

report() {  # figure, measured, budget, whether met
  printf '%-46s %22s %22s  %s\n' "$1" "$2" "$3" "$4"
}
check() { awk "BEGIN {print ($1) ? \"met\" : \"NOT MET\"}"; }

echo
echo "Medians of $rounds rounds; ticking ${play_seconds} s, stopped ${idle_seconds} s per round."
report "figure" "measured" "budget" ""
ratio=$(awk "BEGIN {printf \"%.3f\", $game_visible / $empty_visible}")
report "start to visible window" "$game_visible ms / $empty_visible ms = ${ratio}x" "<= 1.2x" "$(check "$ratio <= 1.2")"
fastest=$(awk "BEGIN {printf \"%.3f\", $(least <"$work/game.visible") / $(least <"$work/empty.visible")}")
report "  the fastest round of each" "$(least <"$work/game.visible") ms / $(least <"$work/empty.visible") ms = ${fastest}x" "-" ""
ratio=$(awk "BEGIN {printf \"%.3f\", $game_rss / $empty_rss}")
report "resident memory after start" "$game_rss KiB / $empty_rss KiB = ${ratio}x" "<= 1.15x" "$(check "$ratio <= 1.15")"
period=$(phase ticking period_ms)
off=$(awk "BEGIN {d = ($period - 75) / 75 * 100; printf \"%.3f\", d < 0 ? -d : d}")
report "mean tick period" "$period ms (off by $off %)" "75.0 ms +- 0.3 %" "$(check "$off <= 0.3")"
report "tick period spread (standard deviation)" "$(phase ticking spread_ms) ms" "-" ""
cpu=$(phase ticking cpu_run_pct)
report "CPU while ticking" "$cpu % ($(phase ticking cpu_pct) % by ticks)" "<= 1 %" "$(check "$cpu <= 1")"
report "wake-ups while ticking" "$(phase ticking wakeups_per_s) /s" "-" ""
for stopped in paused gameover; do
  cpu=$(phase $stopped cpu_run_pct)
  report "CPU while stopped ($stopped)" "$cpu % ($(phase $stopped cpu_pct) % by ticks)" "<= 0.1 %" "$(check "$cpu <= 0.1")"
  report "wake-ups while stopped ($stopped)" "$(phase $stopped wakeups_per_s) /s" "0 /s" ""
done
echo
echo "Every round:"
paste -d' ' "$work/empty.visible" "$work/game.visible" "$work/empty.rss" "$work/game.rss" |
  awk '{printf "  visible %s ms / %s ms, rss %s KiB / %s KiB (empty / game)\n", $1, $2, $3, $4}'
sed 's/^/  /' "$work/game.lines"
