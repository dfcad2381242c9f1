# Sourced by the scripts that play the real game on an X server with xdotool
# (the measurements and the real-window tests). Positions are given in the
# game's 800 x 600 layout coordinates and mapped to the screen through the
# layout's scale and place in the game's window (xsession_layout).

# Starts Xvfb on display $1, logging to $2, with a screen of $3 (default
# 800x600); sets xvfb_pid and DISPLAY. With $1 = auto Xvfb picks a free
# display itself (-displayfd). Fails when the server does not answer within
# ten seconds. XSESSION_NORESET=1 keeps the server from resetting when its
# last client leaves, as a desktop's server never does (a reset makes the
# next program to connect wait for it).
xsession_start() {
  local display=$1 log=$2 size=${3:-800x600}
  if [ "$display" = auto ]; then
    : >"$log.display"
    Xvfb -displayfd 9 -screen 0 "${size}x24" -nolisten tcp ${XSESSION_NORESET:+-noreset} 9>"$log.display" >"$log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 200); do
      [ -s "$log.display" ] && break
      kill -0 "$xvfb_pid" 2>/dev/null || return 1
      sleep 0.05
    done
    display=:$(head -n1 "$log.display")
    [ "$display" != : ] || return 1
  else
    Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp ${XSESSION_NORESET:+-noreset} >"$log" 2>&1 &
    xvfb_pid=$!
  fi
  export DISPLAY=$display
  for _ in $(seq 200); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && { xsession_layout_of_screen; return 0; }
    sleep 0.05
  done
  return 1
}

# The layout's place: lay_x, lay_y (its top-left corner on the screen) and
# lay_s (its scale), for a client area at ($1, $2) of $3 x $4 pixels.
xsession_layout_in() {
  read -r lay_s lay_x lay_y < <(awk -v x="$1" -v y="$2" -v w="$3" -v h="$4" 'BEGIN {
    s = w / 800; if (h / 600 < s) s = h / 600
    printf "%.6f %d %d\n", s, x + int((w - int(800 * s + 0.5)) / 2), y + int((h - int(600 * s + 0.5)) / 2)
  }')
}

# The layout of a game filling the screen.
xsession_layout_of_screen() {
  local w h
  read -r w h < <(xdotool getdisplaygeometry)
  xsession_layout_in 0 0 "$w" "$h"
}

# The layout of the game's window (found by its title), as it stands now.
xsession_layout() {
  local win X Y WIDTH HEIGHT SCREEN WINDOW
  win=$(xdotool search --onlyvisible --name '^Vandrel$' | head -n1)
  [ -n "$win" ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$win")"
  xsession_layout_in "$X" "$Y" "$WIDTH" "$HEIGHT"
}

# Screen coordinates of layout point (x, y): "X Y".
at() { awk -v s="$lay_s" -v ox="$lay_x" -v oy="$lay_y" -v x="$1" -v y="$2" \
  'BEGIN { printf "%d %d\n", ox + int(x * s + 0.5), oy + int(y * s + 0.5) }'; }

# Clicks (button $3, default 1) at layout point (x, y).
click() {
  local sx sy
  read -r sx sy < <(at "$1" "$2")
  xdotool mousemove "$sx" "$sy" click "${3:-1}"
}
point() {
  local sx sy
  read -r sx sy < <(at "$1" "$2")
  xdotool mousemove "$sx" "$sy"
}

# Waits up to $2 seconds for a visible window titled $1; prints its id.
xsession_wait_window() {
  local win=""
  for _ in $(seq $((${2:-10} * 20))); do
    win=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    [ -n "$win" ] && { echo "$win"; return 0; }
    sleep 0.05
  done
  return 1
}

# "New Match", Apply in the options dialog (one game, the sound box as it
# is), then "Play Game". Call it once the trace says "ready". Fails when the
# options dialog does not open.
xsession_start_game() {
  local options X Y WIDTH HEIGHT SCREEN WINDOW
  click 706 480  # "New Match"
  options=$(xsession_wait_window '^Options$') || return 1
  eval "$(xdotool getwindowgeometry --shell "$options")"
  # The dialog is scaled with the layout.
  xdotool mousemove "$(awk -v x="$X" -v s="$lay_s" 'BEGIN { printf "%d", x + int(232 * s + 0.5) }')" \
    "$(awk -v y="$Y" -v s="$lay_s" 'BEGIN { printf "%d", y + int(250 * s + 0.5) }')" click 1  # Apply, below the computer's level
  for _ in $(seq 200); do
    xdotool search --onlyvisible --name '^Options$' >/dev/null 2>&1 || break
    sleep 0.05
  done
  click 706 332  # "Play Game"
}

# Waits up to $3 seconds (default 10) for a line matching $2 in the trace file
# $1, while the game ($game_pid) runs; calls the script's fail otherwise.
xsession_wait_trace() {
  local trace=$1 pattern=$2 limit=${3:-10}
  for _ in $(seq $((limit * 20))); do
    grep -qE "$pattern" "$trace" 2>/dev/null && return 0
    kill -0 "$game_pid" 2>/dev/null || fail "the program ended while waiting for '$pattern'"
    sleep 0.05
  done
  fail "no trace line '$pattern' within $limit s"
}

# The human's first move of a game just started: throws the die, selects
# piece 1, lets the frame follow the pointer and clicks a square the throw
# allows; waits for the move in the trace file $1.
xsession_first_move() {
  local trace=$1 dice col row
  xsession_wait_trace "$trace" '^turn 1$'
  click 670 264  # the die
  xsession_wait_trace "$trace" '^throw [1-6]$' 15
  dice=$(grep -m1 -E '^throw [1-6]$' "$trace" | cut -d' ' -f2)
  read -r col row < <(xsession_first_target "$dice")
  click "$(cell_x 1)" "$(cell_y 6)"         # select piece 1
  point "$(cell_x "$col")" "$(cell_y "$row")" # the frame follows
  click "$(cell_x "$col")" "$(cell_y "$row")"
  xsession_wait_trace "$trace" "^move 1 1 $col $row\$"
  echo "die $dice: moved piece 1 to ($col, $row)"
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

# The layout coordinates of the middle of board cell (col, row).
cell_x() { echo $((24 + 35 + 70 * $1)); }
cell_y() { echo $((20 + 35 + 70 * $1)); }

# What the programs a test starts need, whatever the caller's environment
# holds: Qt's X11 platform (a QT_QPA_PLATFORM=offscreen left there would
# keep every window off the screen) and XDG folders of their own under $1,
# so that nothing a program keeps there changes the next run.
xsession_private_env() {
  local home=$1
  mkdir -p "$home/runtime" "$home/config" "$home/state" "$home/data" "$home/cache"
  chmod 700 "$home/runtime"
  export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$home/runtime" XDG_CONFIG_HOME="$home/config"
  export XDG_STATE_HOME="$home/state" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache"
  # The scripts find the windows and controls by their English names,
  # whatever language the desktop speaks (LANGUAGE=en wins over any locale).
  export LANGUAGE=en
}

# Forgets what the game keeps between runs (its settings, the unfinished
# match, the record) in the private folders, so that the next run starts as
# the first one did: no offer of the match the last run left, no window mode
# it chose. For scripts that start the game more than once.
xsession_forget_kept() {
  rm -rf "${XDG_CONFIG_HOME:?}/vandrel" "${XDG_STATE_HOME:?}/vandrel" "${XDG_DATA_HOME:?}/vandrel"
}

# The start every real-window test shares. Exits 77 (skipped) when one of the
# tools "$@" is not installed. Makes the work folder $work (with the private
# environment above under $work/home), where the game's
# trace ($work/trace) and standard error ($work/stderr) go; when the script
# ends, however it ends, xsession_stop ends the game and the X server and the
# folder goes. Defines
#   fail REASON...   prints the reason, the trace and the standard error, exits 1
#                    (a script may define its own afterwards, over
#                    xsession_dump_logs);
#   wait_trace PATTERN [SECONDS]   xsession_wait_trace on $work/trace;
#   count PATTERN    the number of trace lines matching it;
#   wait_count PATTERN N   waits (30 s at most) until at least N lines match.
xsession_test_setup() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "skip: $tool is not installed"; exit 77; }
  done
  work=$(mktemp -d)
  xsession_private_env "$work/home"
  game_pid="" xvfb_pid=""
  trap 'xsession_stop; rm -rf "$work"' EXIT
  trap 'exit 1' INT TERM HUP
  fail() {
    echo "FAIL: $*"
    xsession_dump_logs
    exit 1
  }
  wait_trace() { xsession_wait_trace "$work/trace" "$@"; }
  count() { grep -cE "$1" "$work/trace" || true; }
  wait_count() {
    for _ in $(seq 600); do
      [ "$(count "$1")" -ge "$2" ] && return 0
      kill -0 "$game_pid" 2>/dev/null || fail "the program ended while waiting for '$1'"
      sleep 0.05
    done
    fail "fewer than $2 lines '$1'"
  }
}

xsession_dump_logs() {
  echo "--- trace"; cat "$work/trace" 2>/dev/null || true
  echo "--- stderr"; cat "$work/stderr" 2>/dev/null || true
}

# Ends the game ($game_pid) and the X server ($xvfb_pid) where they run, and
# waits for them; before the server goes, a script's own xsession_stop_more
# (if it defines one) ends what else it started.
xsession_stop() {
  local pid
  [ -n "${game_pid:-}" ] && { kill "$game_pid" 2>/dev/null || true; }
  if declare -F xsession_stop_more >/dev/null; then xsession_stop_more || true; fi
  [ -n "${xvfb_pid:-}" ] && { kill "$xvfb_pid" 2>/dev/null || true; }
  for pid in ${game_pid:-} ${xvfb_pid:-}; do wait "$pid" 2>/dev/null || true; done
  game_pid="" xvfb_pid=""
}

# Waits up to ten seconds for the game ($game_pid) to end after $1 (what was
# done to end it, for the message) and fails unless it ended with status 0.
xsession_expect_exit() {
  local rc=0
  for _ in $(seq 200); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$game_pid" 2>/dev/null && fail "the program did not end after $1"
  wait "$game_pid" || rc=$?
  game_pid=""
  [ "$rc" -eq 0 ] || fail "the program ended with status $rc"
}
