# Sourced by the scripts that play the real game on an X server with xdotool
# (the measurements and the real-window tests). Window coordinates are those
# of the 800 x 600 screen: the side panel stands at x 618.

# Starts Xvfb at 800 x 600 on display $1, logging to $2; sets xvfb_pid and
# DISPLAY. Fails when the server does not answer within five seconds.
xsession_start() {
  Xvfb "$1" -screen 0 800x600x24 -nolisten tcp >"$2" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$1
  for _ in $(seq 100); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  return 1
}

click() { xdotool mousemove "$1" "$2" sleep 0.1 click 1; }

# "New Match", Apply in the options dialog (one game, the sound box as it
# is), then "Play Game". Fails when the options dialog does not open.
xsession_start_game() {
  local options=""
  click 706 480  # "New Match"
  for _ in $(seq 100); do
    options=$(xdotool search --onlyvisible --name '^Options$' 2>/dev/null | head -n1 || true)
    [ -n "$options" ] && break
    sleep 0.05
  done
  [ -n "$options" ] || return 1
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$options")"
  click $((X + 176 + 56)) $((Y + 176 + 18))  # Apply, below the computer's level
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name '^Options$' >/dev/null 2>&1 || break
    sleep 0.05
  done
  click 706 332  # "Play Game"
}

# A square the human's piece 1, still on (1, 6) at the start of a game, may
# go to with die $1, as "col row". Rows 2..5 are empty, row 1 is the
# computer's start row and row 0 is closed behind it: five is four up and
# one aside, six is four up, one out and one back.
xsession_first_target() {
  case $1 in
    1 | 2 | 3 | 4) echo "1 $((6 - $1))" ;;
    5) echo "2 2" ;;
    6) echo "1 2" ;;
  esac
}

# The window coordinates of the middle of board cell (col, row).
cell_x() { echo $((24 + 35 + 70 * $1)); }
cell_y() { echo $((20 + 35 + 70 * $1)); }
