#!/usr/bin/env bash
# The real program on a real X server: Xvfb at 800 x 600 on a display it
# picks itself, played with xdotool like a person would. It sets up a match, starts a game, throws the
# die, moves piece 1 to a square the die allows, checks the move in the trace,
# takes a screenshot and leaves with "Bye!".
#
# usage: window_xvfb_test.sh path/to/vandrel [screenshot.png]
# Exit 77 (skipped) when Xvfb or xdotool is missing. Every step waits for
# what the program says (its trace, its windows), never for a fixed time.
set -euo pipefail
# shellcheck source=../../tools/xsession.sh
. "$(dirname "$0")/../../tools/xsession.sh"

prog=$1
shot_out=${2:-}
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "skip: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  echo "--- trace"; cat "$work/trace" || true
  echo "--- stderr"; cat "$work/stderr" || true
  exit 1
}

xsession_start auto "$work/xvfb.log" || fail "Xvfb did not start"

wait_trace() { xsession_wait_trace "$work/trace" "$@"; }

env VANDREL_TRACE=1 "$prog" >"$work/trace" 2>"$work/stderr" &
game_pid=$!
wait_trace '^ready$'

xsession_start_game || fail "the options dialog did not open"
xsession_first_move "$work/trace"

# The computer's reply (done once the human's turn comes round again), then
# a picture of the game.
wait_trace '^move 0 ' 15
for _ in $(seq 300); do
  [ "$(grep -c '^turn 1$' "$work/trace")" -ge 2 ] && break
  kill -0 "$game_pid" 2>/dev/null || fail "the program ended during the computer's turn"
  sleep 0.05
done
import -window root "$work/shot.png"
[ -n "$shot_out" ] && cp "$work/shot.png" "$shot_out"

click 706 552  # "Bye!"
for _ in $(seq 200); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.05
done
if kill -0 "$game_pid" 2>/dev/null; then fail "the program did not end after Bye!"; fi
rc=0
wait "$game_pid" || rc=$?
game_pid=""
[ "$rc" -eq 0 ] || fail "the program ended with status $rc"
echo "PASS"
