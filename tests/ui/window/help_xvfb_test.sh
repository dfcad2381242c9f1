#!/usr/bin/env bash
# The help at the board in the real program on Xvfb, played from the
# keyboard: for a few turns Space throws, H asks for a hint and Return plays
# it. Each "hint" line of the trace must be followed by the move (or the
# removal) it names, and the hinted target square must look different with
# its marker than it did before H.
#
# usage: help_xvfb_test.sh path/to/vandrel
# Exit 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
set -euo pipefail
# shellcheck source=../../tools/xsession.sh
. "$(dirname "$0")/../../../tools/xsession.sh"

prog=$1
xsession_test_setup Xvfb xdotool import convert
xsession_start auto "$work/xvfb.log" || fail "Xvfb did not start"

env VANDREL_TRACE=1 "$prog" >"$work/trace" 2>"$work/stderr" &
game_pid=$!
wait_trace '^ready$'
win=$(xsession_wait_window '^Vandrel$') || fail "no game window"
xsession_start_game || fail "the options dialog did not open"

key() {
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  xdotool key "$1"
}
# The signature of a 16 x 16 patch in the middle of board square ($2, $3)
# in the screenshot $1.
patch() {
  local sx sy
  read -r sx sy < <(at "$(cell_x "$2")" "$(cell_y "$3")")
  convert "$1" -crop "16x16+$((sx - 8))+$((sy - 8))" +repage -format '%#' info:
}

compared=0
for turn in 1 2 3; do
  wait_count '^turn 1$' "$turn"
  key space
  wait_count '^throw [1-6]$' $((2 * turn - 1))
  [ "$(count '^pass 1$')" -eq 0 ] || fail "the human could not move"
  import -window root "$work/before.png"
  key h
  wait_count '^hint ' "$turn"
  hint=$(grep -E '^hint ' "$work/trace" | tail -n1)
  read -r _ a b c <<<"$hint"
  if [ "$a" = remove ]; then
    expect="^remove 0 $b\$"
  else
    expect="^move 1 $a $b $c\$"
    # The target square's middle carries the marker once the board has
    # painted it (not under a computer's piece that stands there, where it
    # does not show): looked for until it shows, for a few seconds at most.
    for _ in $(seq 40); do
      import -window root "$work/after.png"
      if [ "$(patch "$work/before.png" "$b" "$c")" != "$(patch "$work/after.png" "$b" "$c")" ]; then
        compared=$((compared + 1))
        break
      fi
    done
  fi
  key Return
  wait_trace "$expect" 10
  line=$(grep -nE '^hint ' "$work/trace" | tail -n1 | cut -d: -f1)
  next=$(sed -n "$((line + 1))p" "$work/trace")
  grep -qE "$expect" <<<"$next" || fail "after '$hint' came '$next'"
  echo "turn $turn: $hint, then $next"
done
[ "$compared" -ge 1 ] || fail "no hinted square looked different with its marker"
echo "marked squares that changed: $compared of 3"

click 706 552  # "Bye!"
xsession_expect_exit "Bye!"
echo "PASS"
