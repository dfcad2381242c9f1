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
. "$(dirname "$0")/../../../tools/xsession.sh"

prog=$1
shot_out=${2:-}
xsession_test_setup Xvfb xdotool import
xsession_start auto "$work/xvfb.log" || fail "Xvfb did not start"

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
xsession_expect_exit "Bye!"
echo "PASS"
