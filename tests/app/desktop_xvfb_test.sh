#!/usr/bin/env bash
# The real program on an Xvfb of its own (-displayfd picks a free display),
# driven with xdotool keys like a person who does not use the mouse:
#
#   open   a saved game named on the command line is on the board (its pixels:
#          piece 1 on its new square, its start square empty), the human to
#          throw; a file the game refuses gets the error box, then an
#          ordinary game. Ctrl+Q leaves.
#   keys   N, Return (Apply), P, Space, Return on piece 1, the arrows to a
#          square the die allows, Return: the trace shows the move. Ctrl+Q.
#   atspi  the accessibility tree over AT-SPI (tests/ui/atspi_probe.py, on a
#          session bus of its own): the names, the die's value, the prompt.
#
# usage: desktop_xvfb_test.sh open|keys|atspi path/to/vandrel
# Exit 77 (skipped) when a tool it needs is missing.
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=../../tools/xsession.sh
. "$here/../../tools/xsession.sh"

scenario=$1
prog=$2
tools=(Xvfb xdotool)
case $scenario in
  open) tools+=(import convert python3) ;;
  atspi) tools+=(dbus-run-session python3) ;;
esac
xsession_test_setup "${tools[@]}"
# Debian's own Python, which python3-pyatspi is installed for (another
# python3 may come first on the PATH).
python=/usr/bin/python3
[ -x "$python" ] || python=python3
if [ "$scenario" = atspi ] && ! "$python" -c 'import pyatspi' 2>/dev/null; then
  echo "skip: python3-pyatspi is not installed"
  exit 77
fi

# Xvfb on a display it chooses itself.
xsession_start auto "$work/xvfb.log" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
echo "display $DISPLAY"

# Waits until a visible window named $1 exists ($2 = 1) or not ($2 = 0).
wait_window() {
  for _ in $(seq 200); do
    if xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; then
      [ "$2" = 1 ] && return 0
    else
      [ "$2" = 0 ] && return 0
    fi
    sleep 0.05
  done
  fail "window '$1' did not $([ "$2" = 1 ] && echo appear || echo go)"
}

# There is no window manager on this display: the game's main window (its
# largest) gets the keyboard focus from here, as a window manager would give
# it when the window opens and again when a dialog closes. Dialogs take the
# focus themselves.
# focus_game smallest: the smallest instead (a message box over the game).
focus_game() {
  local w best="" area="" X Y WIDTH HEIGHT SCREEN WINDOW
  for w in $(xdotool search --onlyvisible --pid "$game_pid" --name '^Vandrel$' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    if [ -z "$area" ] || { [ "${1:-}" = smallest ] && [ $((WIDTH * HEIGHT)) -lt "$area" ]; } ||
      { [ "${1:-}" != smallest ] && [ $((WIDTH * HEIGHT)) -gt "$area" ]; }; then
      area=$((WIDTH * HEIGHT))
      best=$w
    fi
  done
  [ -n "$best" ] || fail "no window of the game"
  xdotool windowfocus --sync "$best"
}

# Starts the game with the given arguments; the trace goes to $work/trace.
start() {
  : >"$work/trace"
  xsession_forget_kept
  env VANDREL_TRACE=1 "$prog" "$@" >"$work/trace" 2>"$work/stderr" &
  game_pid=$!
  wait_trace '^ready$'  # the dialogs exist, and with them their keys
  focus_game
}

# Ctrl+Q, and the program ends with status 0.
leave() {
  focus_game
  xdotool key ctrl+q
  xsession_expect_exit Ctrl+Q
}

# The colour of screen pixel (x, y) of the screenshot $1.
pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }

scenario_open() {
  # The start position with the human's piece 1 moved up to (1, 3); sound off.
  python3 - "$work/game.vdg" <<'PY'
import struct, sys
out = b""
for team in (0, 1):
    start, end, base = (1, 7, 0) if team == 0 else (6, 0, 7)
    for piece in range(1, 7):
        col, row, startp = piece, start, 1
        if team == 1 and piece == 1:
            row, startp = 3, 0
        out += struct.pack("<iiB3xiB3xiBB2xii", col, row, 0, end, startp, start, 0, 0, -1, base)
out += struct.pack("<iiiiiBBBB", 0, 0, 0, 0, 1, 0, 0, 0, 0)
assert len(out) == 456
open(sys.argv[1], "wb").write(out)
PY
  start "$work/game.vdg"
  wait_trace '^loaded$'
  wait_trace '^turn 1$'
  # The board as drawn: piece 1's disc on (1, 3), the same as piece 2's on
  # its start square (2, 6), and the start square (1, 6) without it.
  local disc moved empty ok=0
  for _ in $(seq 40); do
    import -window root "$work/shot.png"
    disc=$(pixel "$work/shot.png" "$(cell_x 2)" "$(cell_y 6)")
    moved=$(pixel "$work/shot.png" "$(cell_x 1)" "$(cell_y 3)")
    empty=$(pixel "$work/shot.png" "$(cell_x 1)" "$(cell_y 6)")
    if [ "$moved" = "$disc" ] && [ "$empty" != "$disc" ]; then ok=1; break; fi
    sleep 0.1
  done
  [ "$ok" = 1 ] || fail "the loaded position is not drawn: disc $disc, (1,3) $moved, (1,6) $empty"
  echo "loaded: piece 1 drawn on (1, 3) ($moved), its start square is $empty"
  grep -q '^throw' "$work/trace" && fail "the game threw the die by itself"
  leave

  # A file the game refuses: the error box (a second window named Vandrel),
  # Return takes it away, and an ordinary game follows with the human to throw.
  printf 'not a game' >"$work/bad.vdg"
  start "$work/bad.vdg"
  for _ in $(seq 200); do
    [ "$(xdotool search --onlyvisible --name '^Vandrel$' 2>/dev/null | wc -l)" -ge 2 ] && break
    sleep 0.05
  done
  [ "$(xdotool search --onlyvisible --name '^Vandrel$' | wc -l)" -ge 2 ] || fail "no error box"
  focus_game smallest
  xdotool key Return
  wait_trace '^turn 1$'
  grep -q '^loaded$' "$work/trace" && fail "the refused file was loaded"
  echo "refused: error box, then an ordinary game"
  leave
}

scenario_keys() {
  start
  xdotool key n
  wait_window '^Options$' 1
  xdotool key Return
  wait_window '^Options$' 0
  focus_game
  xdotool key p
  wait_trace '^turn 1$'
  xdotool key space
  wait_trace '^throw [1-6]$' 15
  local dice col row
  dice=$(grep -m1 -E '^throw [1-6]$' "$work/trace" | cut -d' ' -f2)
  read -r col row < <(xsession_first_target "$dice")
  # The cursor starts on piece 1 at (1, 6): Return picks it up.
  local keys=(Return)
  for _ in $(seq $((6 - row))); do keys+=(Up); done
  for _ in $(seq $((col - 1))); do keys+=(Right); done
  keys+=(Return)
  xdotool key "${keys[@]}"
  wait_trace "^move 1 1 $col $row\$"
  echo "die $dice: keys ${keys[*]} moved piece 1 to ($col, $row)"
  leave
}

scenario_atspi() {
  # The probe starts the program itself, on the session bus it runs in.
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
  : >"$work/trace"
  dbus-run-session -- "$python" "$here/atspi_probe.py" "$prog" "$work/trace" \
    || fail "the accessibility tree is not as it should be"
}

"scenario_$scenario"
echo PASS
