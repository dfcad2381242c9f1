#!/usr/bin/env bash
# What the real program keeps between runs, on Xvfb: settings chosen in one
# run come back in the next; a match killed (SIGKILL) after a few turns is
# offered at the next start and continues exactly from the file it left;
# declining the offer removes the file.
#
# usage: memory_xvfb_test.sh path/to/vandrel
# Exit 77 (skipped) when Xvfb or xdotool is missing.
set -euo pipefail
# shellcheck source=../../tools/xsession.sh
. "$(dirname "$0")/../../../tools/xsession.sh"

prog=$1
xsession_test_setup Xvfb xdotool
xsession_start auto "$work/xvfb.log" || fail "Xvfb did not start"
unfinished=$XDG_STATE_HOME/vandrel/unfinished.vdg

run=0
start() {
  run=$((run + 1))
  env VANDREL_TRACE=1 "$prog" "$@" >"$work/trace" 2>"$work/stderr" &
  game_pid=$!
  wait_trace '^ready$' 20
  win=$(xsession_wait_window '^Vandrel$') || fail "no game window"
}
key() {
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  xdotool key "$2"
}
# The game's dialog on the screen (a window of its own smaller than the
# screen), once it shows.
wait_dialog() {
  local w
  for _ in $(seq 200); do
    for w in $(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null); do
      eval "$(xdotool getwindowgeometry --shell "$w")"
      if [ "$WIDTH" -lt 800 ] && [ "$WIDTH" -ge 200 ]; then echo "$w"; return 0; fi
    done
    sleep 0.05
  done
  fail "no dialog showed"
}
kill_game() {
  kill -KILL "$game_pid"
  wait "$game_pid" 2>/dev/null || true
  game_pid=""
}

# 1. Defaults; the player picks three games a match and turns the sound off,
# plays a move and waits for the computer's answer, then the program is killed.
start
wait_trace '^settings games 1 sound on computer classic show-moves on screen full$'
[ ! -e "$unfinished" ] || fail "an unfinished match before any was played"
key "$win" n
options=$(xsession_wait_window '^Options$') || fail "no options dialog"
key "$options" Up
key "$options" Up
key "$options" Return
for _ in $(seq 200); do
  xdotool search --onlyvisible --name '^Options$' >/dev/null 2>&1 || break
  sleep 0.05
done
key "$win" m
key "$win" p
xsession_first_move "$work/trace"
# The computer's turn ends; the match as it stands is kept before the next.
wait_count '^turn 1$' 2
kill_game
[ "$(stat -c %s "$unfinished")" = 456 ] || fail "the unfinished match is not a saved game"
cp "$unfinished" "$work/killed.vdg"

# 2. The settings come back; the match is offered, and Return continues it
# exactly as the file holds it (the game keeps the same bytes at its first turn).
start
wait_trace '^settings games 3 sound off computer classic show-moves on screen full$'
wait_trace '^prompt Continue your unfinished match\?$'
key "$(wait_dialog)" Return
wait_trace '^loaded$'
wait_trace '^turn 1$'
cmp -s "$work/killed.vdg" "$unfinished" || fail "the continued match differs from the file"
kill_game

# 3. Declined with Escape: the file goes, and nothing is offered next time.
start
wait_trace '^prompt Continue your unfinished match\?$'
key "$(wait_dialog)" Escape
for _ in $(seq 200); do
  [ -e "$unfinished" ] || break
  sleep 0.05
done
[ ! -e "$unfinished" ] || fail "declining kept the unfinished match"
# The keys go back to the board once the prompt has gone, with no window
# manager to hand the focus on.
xdotool key n
xsession_wait_window '^Options$' >/dev/null || fail "no key reached the window after the prompt"
kill_game
start
wait_trace '^settings '
# With no offer up, N opens the options dialog at once.
key "$win" n
xsession_wait_window '^Options$' >/dev/null || fail "no options dialog: an offer after declining?"
! grep -q '^prompt' "$work/trace" || fail "an offer after declining"
echo "settings kept, match continued from its file, offer declined"
