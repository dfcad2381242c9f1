#!/usr/bin/env bash
# Measures the game under Xvfb (800 x 600) and prints the medians of five runs:
#   startup_ms        from starting the program to its window's first paint
#                     (the trace's "shown" line)
#   bare_ms           the same for a bare full-screen Qt window
#                     (tools/vandrel-bare-window), started in turn with the game
#   startup_ratio     the game's start-up over the bare window's, run by run
#                     (the two started one after the other), the median of those
#   captioned_ms      the bare window that also draws one caption and the
#                     board picture (decoded as the game decodes it) before
#                     its first paint: what text and the board cost at least
#   captioned_ratio   the same over the captioned window's
#   rss_mib           resident memory one second after start-up
#   idle_cpu_percent  CPU used over 10 s while the game waits for the human's
#                     throw, in percent of one core
#
# usage: tools/measure.sh [path/to/vandrel] [runs]
# Environment: IDLE_SECONDS (default 10), IDLE_CPU_LIMIT (default 2): above it,
# in percent of a core, it fails; STARTUP_RATIO_LIMIT (default none): above
# it it fails too. MEASURE_SCREEN (default 800x600): the Xvfb screen.
# SFX_IDLE_MS (default 1000): how soon the sound stream closes.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tools/xsession.sh
source "$here/tools/xsession.sh"
prog=${1:-$here/build/default/app/vandrel}
runs=${2:-5}
idle_seconds=${IDLE_SECONDS:-10}
[ -x "$prog" ] || { echo "no program at $prog" >&2; exit 2; }
bare=$(dirname "$prog")/../tools/vandrel-bare-window
[ -x "$bare" ] || { echo "no bare window at $bare" >&2; exit 2; }
board_picture=$here/resources/art/board.jpg

work=$(mktemp -d)
# The programs get Qt's X11 platform and XDG folders of their own.
xsession_private_env "$work/home"
xvfb_pid=""
game_pid=""
bare_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$bare_pid" ] && kill "$bare_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Each program's start is timed against a server that stays as it is
# between programs, as a desktop's does: without it, the server resets each
# time the last program leaves, while the next one starts.
XSESSION_NORESET=1 xsession_start auto "$work/xvfb.log" "${MEASURE_SCREEN:-800x600}" ||
  { echo "Xvfb did not start" >&2; exit 1; }

# CPU time of all the process's threads in ns (schedstat), or from the
# clock ticks of /proc/PID/stat where schedstat is missing.
cpu_ns() {
  local pid=$1 total=0 t
  if [ -r "/proc/$pid/schedstat" ]; then
    for t in /proc/"$pid"/task/*/schedstat; do
      total=$((total + $(cut -d' ' -f1 "$t")))
    done
    echo "$total"
  else
    awk -v hz="$(getconf CLK_TCK)" '{ printf "%d\n", ($14 + $15) * 1e9 / hz }' "/proc/$pid/stat"
  fi
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

wait_line() {  # pattern, seconds
  for _ in $(seq $(($2 * 100))); do
    grep -qE "$1" "$work/trace" 2>/dev/null && return 0
    sleep 0.01
  done
  echo "no '$1' in the trace" >&2
  return 1
}

# Milliseconds from now ($1, ns) to the program's "shown" on the fifo.
until_shown() {
  local line
  while IFS= read -r line <&3; do
    [ "$line" = shown ] && break
  done
  awk -v a="$1" -v b="$(date +%s%N)" 'BEGIN { printf "%.3f\n", (b - a) / 1e6 }'
}

: >"$work/startup"
: >"$work/bare"
: >"$work/captioned"
: >"$work/rss"
: >"$work/idle"
# Milliseconds from start to the first paint of the bare window, run with
# the arguments given.
time_bare() {
  rm -f "$work/fifo"
  mkfifo "$work/fifo"
  local t0
  t0=$(date +%s%N)
  "$bare" "$@" >"$work/fifo" 2>/dev/null &
  bare_pid=$!
  exec 3<"$work/fifo"
  until_shown "$t0"
  exec 3<&-
  kill "$bare_pid"
  wait "$bare_pid" 2>/dev/null || true
  bare_pid=""
}

for run in $(seq "$runs"); do
  # The bare windows first, then the game: in turn, on the same server.
  time_bare >>"$work/bare"
  time_bare --caption-and-picture "$board_picture" >>"$work/captioned"

  rm -f "$work/fifo" "$work/trace"
  mkfifo "$work/fifo"
  t0=$(date +%s%N)
  # The sound stream closes after ten seconds without sound; here after one,
  # before the idle figure is taken (a thread that ends in the middle would
  # take its CPU time out of the sum).
  xsession_forget_kept
  env VANDREL_TRACE=1 VANDREL_SFX_IDLE_MS="${SFX_IDLE_MS:-1000}" "$prog" >"$work/fifo" 2>/dev/null &
  game_pid=$!
  exec 3<"$work/fifo"
  until_shown "$t0" >>"$work/startup"
  # The rest of the trace goes to a file.
  cat <&3 >"$work/trace" &
  exec 3<&-

  wait_line '^ready$' 10
  sleep 1
  rss_kib=$(awk '/^VmRSS:/ { print $2 }' "/proc/$game_pid/status")
  awk -v k="$rss_kib" 'BEGIN { printf "%.3f\n", k / 1024 }' >>"$work/rss"

  # A game waiting for the human's throw: New Match, Apply, Play Game.
  xsession_start_game || { echo "the options dialog did not open" >&2; exit 1; }
  wait_line '^turn 1$' 10
  xdotool mousemove 300 300  # the pointer rests on the board
  sleep 1
  c0=$(cpu_ns "$game_pid")
  sleep "$idle_seconds"
  c1=$(cpu_ns "$game_pid")
  awk -v a="$c0" -v b="$c1" -v s="$idle_seconds" 'BEGIN { printf "%.6f\n", (b - a) * 100 / (s * 1e9) }' >>"$work/idle"

  kill "$game_pid"
  wait "$game_pid" 2>/dev/null || true
  game_pid=""
  printf 'run %d: startup %.1f ms (bare window %.1f ms, captioned %.1f ms), rss %.1f MiB, idle cpu %.4f %%\n' \
    "$run" "$(tail -n1 "$work/startup")" "$(tail -n1 "$work/bare")" \
    "$(tail -n1 "$work/captioned")" "$(tail -n1 "$work/rss")" "$(tail -n1 "$work/idle")" >&2
done

idle=$(median <"$work/idle")
startup=$(median <"$work/startup")
bare_ms=$(median <"$work/bare")
captioned_ms=$(median <"$work/captioned")
# Each run's game over the windows started just before it: a machine that
# slows down or speeds up between runs moves both.
run_ratios() { paste "$work/startup" "$1" | awk '{ print $1 / $2 }' | median; }
ratio=$(printf '%.2f' "$(run_ratios "$work/bare")")
captioned_ratio=$(printf '%.2f' "$(run_ratios "$work/captioned")")
printf 'startup_ms=%.1f bare_ms=%.1f startup_ratio=%s captioned_ms=%.1f captioned_ratio=%s rss_mib=%.1f idle_cpu_percent=%.4f\n' \
  "$startup" "$bare_ms" "$ratio" "$captioned_ms" "$captioned_ratio" "$(median <"$work/rss")" "$idle"
if [ -n "${STARTUP_RATIO_LIMIT:-}" ] &&
  awk -v r="$ratio" -v l="$STARTUP_RATIO_LIMIT" 'BEGIN { exit !(r > l) }'; then
  echo "FAIL: start-up takes $ratio times a bare window's (limit $STARTUP_RATIO_LIMIT)" >&2
  exit 1
fi

# A game that waits for the player must not keep the processor busy.
limit=${IDLE_CPU_LIMIT:-2}
if awk -v i="$idle" -v l="$limit" 'BEGIN { exit !(i > l) }'; then
  echo "FAIL: the game used $idle % of a core while waiting for the throw (limit $limit %)" >&2
  exit 1
fi
