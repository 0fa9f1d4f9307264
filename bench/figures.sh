#!/usr/bin/env bash
# Whole-process figures: the game beside the toolkit's two floors, alternated under a private Xvfb.
# Start and memory are set against an empty Qt window, CPU and wake-ups while ticking against a
# window doing the least a tick needs; every budget is a ratio to a floor measured in this run.
set -euo pipefail
cd "$(dirname "$0")/.."

start_rounds=${START_ROUNDS:-31} # starts are cheap, and a median of 9 strayed by up to 10 %
rounds=${ROUNDS:-9}              # of the ticking pass
play_seconds=${PLAY_SECONDS:-8}  # ticking per round, for the game and for the per-tick floor
idle_seconds=${IDLE_SECONDS:-5}  # paused, then at game over
bench_repetitions=${BENCH_REPETITIONS:-5} # of each in-process benchmark
settle_seconds=1                 # between the window showing and reading its memory
# BEFORE=path/to/worm adds an earlier build of the game to both passes, so that a change's cost
# is read as the two builds' ratios to the same floors in the same run.
before=${BEFORE:-}

cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
build=build/bench

load=$(cut -d' ' -f1-3 /proc/loadavg)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
lines=$work/lines

# x_watch starts its own private Xvfb and the programs in turn, reversing their order every other
# round, and prints one line of key=value figures a measurement. Starts are timed in a pass of
# their own: a program started after the game's quiet stretches started some 25 % slower, which
# would favour whichever program never follows one. The empty window runs twice a round: set
# against itself it shows how far the start figures stray by chance.
"$build/bench/x_watch" "$start_rounds" 0 0 "$settle_seconds" empty="$build/bench/empty_window" \
  game="$build/window/qt/worm" empty-again="$build/bench/empty_window" ${before:+game-before="$before"} >"$lines"
"$build/bench/x_watch" "$rounds" "$play_seconds" "$idle_seconds" "$settle_seconds" \
  game-ticking="$build/window/qt/worm" floor="$build/bench/tick_floor" game-pad="$build/window/qt/worm" \
  ${before:+game-before-ticking="$before"} >>"$lines"

# The values of one key over the rounds, from a program's start line or from one of its phases;
# round 0 is x_watch's warm-up.
values() { # program phase-or-start key
  if [[ $2 == start ]]; then
    grep "^run=$1 round=[1-9][0-9]* visible_ms=" "$lines"
  else
    grep "^run=$1 round=[1-9][0-9]* phase=$2 " "$lines"
  fi | sed -n "s/.* $3=\\([^ ]*\\).*/\\1/p"
}
median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
most() { sort -g | tail -1; }

# Every tick period of every round as one sample: the count, the mean and the standard
# deviation, from each round's count, mean and deviation.
periods() { # program
  paste <(values "$1" ticking periods) <(values "$1" ticking period_ms) <(values "$1" ticking spread_ms) |
    awk '{n[NR] = $1; m[NR] = $2; s[NR] = $3; N += $1; S += $1 * $2}
         END {M = S / N
              for (i = 1; i <= NR; ++i) Q += (n[i] - 1) * s[i] * s[i] + n[i] * (m[i] - M) * (m[i] - M)
              printf "%d %.4f %.4f\n", N, M, sqrt(Q / (N - 1))}'
}

calc() { awk "BEGIN {printf \"%.${2:-3}f\", $1}"; }
verdict() { awk "BEGIN {print ($1) ? \"met\" : \"NOT MET\"}"; }
row() { printf '%-42s %10s %10s %9s %12s  %s\n' "$@"; }

echo
echo "Start and memory: $start_rounds rounds, each starting the empty window, the game and the empty window again."
echo "Ticking: $rounds rounds of the game and the per-tick floor, each ticking ${play_seconds} s, then the game ${idle_seconds} s paused"
echo "and ${idle_seconds} s after game over. Every other round runs in reverse order. Medians over the rounds"
echo "unless the line says otherwise; $(nproc) cores, load before the run: $load."
echo
row "figure" "game" "floor" "ratio" "budget" ""

# One figure against its floor: label, the two programs, phase, key, statistic, and the budget on
# their ratio (none for a figure shown only beside its floor).
compare() { # label game floor phase key statistic [budget]
  local game floor ratio
  game=$(values "$2" "$4" "$5" | "$6")
  floor=$(values "$3" "$4" "$5" | "$6")
  ratio=$(calc "$game / $floor")
  if [[ -n ${7:-} ]]; then
    row "$1" "$game" "$floor" "${ratio}x" "<= ${7}x" "$(verdict "$ratio <= $7")"
  else
    row "$1" "$game" "$floor" "${ratio}x" "" ""
  fi
}

compare "start to visible window (ms)" game empty start visible_ms median 1.05
compare "  the empty window again, by chance (ms)" empty-again empty start visible_ms median
compare "  CPU time by then (ms)" game empty start cpu_to_visible_ms median
compare "  the slowest round (ms)" game empty start visible_ms most 1.15
compare "  the empty window again, by chance (ms)" empty-again empty start visible_ms most
compare "resident memory after start (KiB)" game empty start rss_kib median 1.05
compare "CPU while ticking (% of a core)" game-ticking floor ticking cpu_run_pct median 1.1
compare "wake-ups while ticking (/s)" game-ticking floor ticking wakeups_per_s median 1.1

read -r ticks period spread <<<"$(periods game-ticking)"
read -r floor_ticks floor_period floor_spread <<<"$(periods floor)"
off=$(calc "($period - 75) / 75 * 100" 4)
row "mean tick period, all rounds (ms)" "$period" "$floor_period" "$(calc "$period / $floor_period" 4)x" \
  "75 +- 0.1 %" "$(verdict "$ticks >= 300 && $off <= 0.1 && $off >= -0.1")"
row "  off 75 ms (%)" "$off" "$(calc "($floor_period - 75) / 75 * 100" 4)" "" "" ""
row "  standard deviation (ms)" "$spread" "$floor_spread" "" "" ""
row "  ticks timed" "$ticks" "$floor_ticks" "" ">= 300" "$(verdict "$ticks >= 300")"

if [[ -n $before ]]; then
  compare "start, the build before (ms)" game-before empty start visible_ms median
  compare "  the slowest round (ms)" game-before empty start visible_ms most
  compare "resident memory, the build before (KiB)" game-before empty start rss_kib median
  compare "CPU while ticking, the build before (%)" game-before-ticking floor ticking cpu_run_pct median
  compare "wake-ups while ticking, the build before (/s)" game-before-ticking floor ticking wakeups_per_s median
fi

# A pad attached is read once a display frame (Xvfb's 60 Hz), ticking, paused or over, and never more.
frame_hz=60
compare "wake-ups while ticking, a pad attached (/s)" game-pad game-ticking ticking wakeups_per_s median
compare "CPU while ticking, a pad attached (%)" game-pad game-ticking ticking cpu_run_pct median
extra=$(calc "$(values game-pad ticking wakeups_per_s | median) - $(values game-ticking ticking wakeups_per_s | median)" 1)
row "  the pad's wake-ups while ticking (/s)" "$extra" "" "" "<= $frame_hz" "$(verdict "$extra <= $frame_hz")"
for stopped in paused gameover; do
  wakeups=$(values game-pad $stopped wakeups_per_s | most)
  row "  wake-ups $stopped, a pad attached (/s)" "$wakeups" "" "" "<= $frame_hz" "$(verdict "$wakeups <= $frame_hz")"
done

for stopped in paused gameover; do
  cpu=$(values game-ticking $stopped cpu_run_pct | most)
  wakeups=$(values game-ticking $stopped wakeups_per_s | most)
  row "CPU $stopped, most of any round (%)" "$cpu" "0" "" "0" "$(verdict "$cpu == 0")"
  row "wake-ups $stopped, most of any round (/s)" "$wakeups" "0" "" "0" "$(verdict "$wakeups == 0")"
done

# The in-process figures, on a fixed-seed mid-game: the rules' work per tick and the painter's.
echo
echo "In-process figures (worm_bench, offscreen, median of $bench_repetitions repetitions):"
"$build/bench/worm_bench" --benchmark_repetitions="$bench_repetitions" >"$work/bench" 2>"$work/bench-errors" ||
  { cat "$work/bench-errors" >&2; exit 1; }
sed -n 's/^/  /; /^  figure/,$p' "$work/bench"

echo
echo "Every round of both passes (run=floor is the per-tick floor; preemptions are other processes taking"
echo "the core; loop is the rectangle the worm was steered round):"
sed 's/^/  /' "$lines"
