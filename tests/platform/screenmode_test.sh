#!/bin/bash
# The screen mode on a real X server that can change modes: Xorg with the dummy driver
# (Xvfb cannot). The script starts its own Xorg at 1280x1024 (on a display it picks
# itself), runs the program, checks that the screen is 800x600 while it runs, and that
# 1280x1024 is back after each way of ending it: a click on "Bye!", SIGTERM, and SIGKILL
# (where the guardian process restores it).
#
# With the game itself it also runs two games at once and ends them in both orders, one of
# them by SIGKILL: the mode stays while one runs and comes back after the last; and a game
# on a desktop scaled by 2 (QT_SCALE_FACTOR=2, and Xft.dpi: 192 in the X resources), which
# must switch to 1600x1200 (800 x 600 of its pixels), show all of itself on the screen and
# leave by its scaled "Bye!"; and F11, from full screen to a decorated 800 x 600 window in
# the player's mode and back.
#
# Usage: screenmode_test.sh [PROGRAM]
#   PROGRAM is the program to test; by default the mode probe (vandrel_mode_probe in the
#   current directory), which behaves like the game. "Bye!" is clicked at the middle of
#   the side panel's "Bye!", (706, 552) of the 800 x 600 layout.
# Exits 77 (skipped) only when Xorg or its dummy driver is not installed.
set -u
# shellcheck source=../../tools/xsession.sh
. "$(dirname "$0")/../../tools/xsession.sh"

program=${1:-./vandrel_mode_probe}
game=
[[ $(basename "$program") == vandrel ]] && game=1

xorg=$(command -v Xorg || true)
dummy=$(find /usr/lib/xorg/modules/drivers /usr/lib/*/xorg/modules/drivers \
  -name dummy_drv.so 2>/dev/null | head -n1)
if [[ -z $xorg || -z $dummy ]]; then
  echo "SKIP: Xorg or xserver-xorg-video-dummy is not installed"
  exit 77
fi
for tool in xrandr xdotool; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing"; exit 1; }
done
[[ -x $program ]] || { echo "FAIL: no program to test at $program"; exit 1; }

# The game is $game_pid; a second one, the guardians and Xorg go here.
xsession_test_setup
xorg_pid=
other_pid=
xsession_stop_more() {
  [[ -n $other_pid ]] && kill -KILL "$other_pid" 2>/dev/null
  for pid in $(guardians); do kill -KILL "$pid" 2>/dev/null; done
  if [[ -n $xorg_pid ]]; then
    kill -TERM "$xorg_pid" 2>/dev/null
    wait "$xorg_pid" 2>/dev/null
  fi
}

mkdir "$work/conf.d"
cat >"$work/xorg.conf" <<'EOF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoAddGPU" "false"
EndSection

Section "Monitor"
  Identifier "Monitor0"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
  Modeline "1280x1024" 108.00 1280 1328 1440 1688 1024 1025 1028 1066 +hsync +vsync
  Modeline "800x600" 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
  Modeline "1600x1200" 162.00 1600 1664 1856 2160 1200 1201 1204 1250 +hsync +vsync
EndSection

Section "Device"
  Identifier "Card0"
  Driver "dummy"
  VideoRam 256000
EndSection

Section "Screen"
  Identifier "Screen0"
  Device "Card0"
  Monitor "Monitor0"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1280x1024" "800x600" "1600x1200"
    Virtual 1600 1200
  EndSubSection
EndSection
EOF

now_ms() { date +%s%3N; }

# "WxH" of the screen, and the size of the output's active mode.
screen_size() { xrandr -display "$display" 2>/dev/null | sed -n 's/.*current \([0-9]*\) x \([0-9]*\),.*/\1x\2/p'; }
active_mode() { xrandr -display "$display" 2>/dev/null | awk '/\*/ { print $1; exit }'; }
mode_is() { [[ $(screen_size) == "$1" && $(active_mode) == "$1" ]]; }

# Waits up to $2 seconds for mode $1.
wait_mode() {
  local deadline=$(($(now_ms) + $2 * 1000))
  until mode_is "$1"; do
    (($(now_ms) > deadline)) && return 1
    sleep 0.02
  done
}

guardians() { [[ -n ${display:-} ]] && pgrep -f -- "--vandrel-mode-guardian [0-9]+ $display " ; }

# Xorg picks a free display itself and tells its number on fd 9.
"$xorg" -displayfd 9 -config "$work/xorg.conf" -configdir "$work/conf.d" -logfile "$work/Xorg.log" \
  -noreset -nolisten tcp 9>"$work/display" >"$work/xorg.out" 2>&1 &
xorg_pid=$!
display=
for _ in $(seq 200); do
  kill -0 "$xorg_pid" 2>/dev/null || break
  [[ -s $work/display ]] && display=:$(head -n1 "$work/display") &&
    xrandr -display "$display" >/dev/null 2>&1 && break
  display=
  sleep 0.05
done
if [[ -z $display ]]; then
  echo "FAIL: Xorg with the dummy driver did not start"
  tail -n 20 "$work/Xorg.log" "$work/xorg.out" 2>/dev/null
  exit 1
fi
echo "Xorg $xorg_pid on $display"
if ! wait_mode 1280x1024 5; then
  echo "FAIL: the server did not start at 1280x1024 but at $(screen_size)"
  exit 1
fi

failures=0
fail() {
  echo "FAIL ($1): $2"
  failures=$((failures + 1))
}

reset_mode() {
  if ! mode_is 1280x1024; then
    fail "$1" "not at 1280x1024 before the start; resetting"
    xrandr -display "$display" --output "$(xrandr -display "$display" | awk '/ connected/ { print $1; exit }')" \
      --mode 1280x1024 --fb 1280x1024
  fi
}

# Starts the program (extra environment in "$@"), sets started_pid; the game traces to
# $work/$name.log.
start() {
  local name=$1
  shift
  xsession_forget_kept
  env DISPLAY="$display" VANDREL_TRACE=1 "$@" "$program" >"$work/$name.log" 2>&1 &
  started_pid=$!
}

# Waits until the program is ready for a click: the game says "ready", the probe's
# window shows.
wait_ready() {
  local pid=$1 name=$2
  if [[ -n $game ]]; then
    for _ in $(seq 400); do
      grep -q '^ready$' "$work/$name.log" && return 0
      kill -0 "$pid" 2>/dev/null || return 1
      sleep 0.05
    done
    return 1
  fi
  DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --pid "$pid" >/dev/null
}

# Ends the program as asked (bye, clicked, term, kill) and waits for it; prints its status.
end_program() {
  local pid=$1 way=$2 scale=${3:-1}
  case $way in
    bye)
      # The window covers the whole screen once it has followed the switch.
      local win X Y WIDTH HEIGHT SCREEN WINDOW
      for _ in $(seq 200); do
        win=$(DISPLAY=$display xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n1)
        if [[ -n $win ]]; then
          eval "$(DISPLAY=$display xdotool getwindowgeometry --shell "$win")"
          [[ ${WIDTH}x$HEIGHT == "$(screen_size)" ]] && break
        fi
        sleep 0.05
      done
      DISPLAY=$display xdotool mousemove --sync $((706 * scale)) $((552 * scale)) click 1
      ;;
    clicked) ;;  # the caller has clicked "Bye!"
    term) kill -TERM "$pid" ;;
    kill) kill -KILL "$pid" ;;
  esac
  local waited=0
  while kill -0 "$pid" 2>/dev/null && ((waited < 200)); do
    sleep 0.05
    waited=$((waited + 1))
  done
  if kill -0 "$pid" 2>/dev/null; then
    fail "$way" "the program did not end"
    kill -KILL "$pid"
  fi
  { wait "$pid"; } 2>/dev/null
  local status=$?
  echo "program exit status $status"
  if [[ $way != kill && $status -ne 0 ]]; then fail "$way" "exit status $status"; fi
}

expect_back() {
  # After SIGKILL the guardian needs a moment.
  if wait_mode 1280x1024 5; then
    echo "1280x1024 back $(($(now_ms) - $2)) ms after the end was asked for"
  else
    fail "$1" "the mode stayed at $(screen_size) ($(active_mode))"
  fi
  local left=""
  for _ in $(seq 40); do
    left=$(guardians)
    [[ -z $left ]] && break
    sleep 0.05
  done
  if [[ -n $left ]]; then fail "$1" "a guardian is still running: $left"; fi
}

# Runs the program once and ends it in the way given: bye, term or kill.
run_once() {
  local way=$1
  echo "--- ending by $way"
  reset_mode "$way"
  local started
  started=$(now_ms)
  start "$way"
  game_pid=$started_pid
  if ! wait_mode 800x600 20; then
    fail "$way" "the screen never became 800x600 (it is $(screen_size))"
  else
    echo "800x600 after $(($(now_ms) - started)) ms from the program's start"
  fi
  wait_ready "$game_pid" "$way" || fail "$way" "not ready"
  if ! mode_is 800x600; then fail "$way" "not 800x600 with the window shown"; fi
  local ended
  ended=$(now_ms)
  end_program "$game_pid" "$way"
  game_pid=
  expect_back "$way" "$ended"
  sed 's/^/  | /' "$work/$way.log"
}

# Two games at once, ended by $1 then $2 (first, second: "term" or "kill" each).
run_two() {
  local name="two-$1-first-$3-then-$2-second-$4"
  echo "--- $name"
  reset_mode "$name"
  start first
  game_pid=$started_pid
  wait_ready "$game_pid" first || fail "$name" "the first game is not ready"
  start second
  other_pid=$started_pid
  wait_ready "$other_pid" second || fail "$name" "the second game is not ready"
  mode_is 800x600 || fail "$name" "not 800x600 with both games running"
  local pids=("$game_pid" "$other_pid") order=("$1" "$2") ways=("$3" "$4")
  local first=${order[0]} ended
  end_program "${pids[$((first - 1))]}" "${ways[0]}"
  # The other game still runs: once the first one's guardian is gone, the mode must
  # still be the game's.
  for _ in $(seq 100); do
    (($(guardians | wc -l) <= 1)) && break
    sleep 0.05
  done
  mode_is 800x600 || fail "$name" "the mode went back with one game still running"
  ended=$(now_ms)
  end_program "${pids[$((order[1] - 1))]}" "${ways[1]}"
  game_pid= other_pid=
  expect_back "$name" "$ended"
}

# A desktop scaled by 2, by Qt's own factor ($1 = qt) or by the X resources' Xft.dpi as
# desktop settings set it ($1 = xft): the game needs 1600x1200 for its 800 x 600 layout
# pixels.
run_scaled() {
  local scaled=scaled-$1
  echo "--- desktop scale 2 ($1)"
  reset_mode "$scaled"
  if [[ $1 == xft ]]; then
    echo 'Xft.dpi: 192' | DISPLAY=$display xrdb -merge || fail "$scaled" "xrdb did not set Xft.dpi"
    start "$scaled"
  else
    start "$scaled" QT_SCALE_FACTOR=2
  fi
  game_pid=$started_pid
  if ! wait_mode 1600x1200 20; then
    fail "$scaled" "the screen did not become 1600x1200 (it is $(screen_size))"
  fi
  wait_ready "$game_pid" "$scaled" || fail "$scaled" "not ready"
  local win X Y WIDTH HEIGHT SCREEN WINDOW sw sh
  win=$(DISPLAY=$display xdotool search --onlyvisible --pid "$game_pid" | head -n1)
  eval "$(DISPLAY=$display xdotool getwindowgeometry --shell "$win")"
  IFS=x read -r sw sh <<<"$(screen_size)"
  if ((X < 0 || Y < 0 || X + WIDTH > sw || Y + HEIGHT > sh)); then
    fail "$scaled" "the window ${WIDTH}x$HEIGHT at ($X, $Y) is not inside the ${sw}x$sh screen"
  fi
  local ended
  ended=$(now_ms)
  end_program "$game_pid" bye 2
  game_pid=
  expect_back "$scaled" "$ended"
  if [[ $1 == xft ]]; then DISPLAY=$display xrdb -remove; fi
}

# The game's window (the one window of its process), "" while it has none.
game_window() { DISPLAY=$display xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | head -n1; }

# F11 with the game's window focused (no window manager focuses it), then waits until its
# window (made anew by the switch) is $2 pixels large and asks the window manager for
# decorations ($3 = 1) or for none (0). Sets X and Y to where the window stands.
f11_until() {
  local win WIDTH= HEIGHT= SCREEN WINDOW hints=
  DISPLAY=$display xdotool windowfocus --sync "$(game_window)" key F11
  for _ in $(seq 200); do
    win=$(game_window)
    if [[ -n $win ]]; then
      eval "$(DISPLAY=$display xdotool getwindowgeometry --shell "$win")"
      # A frameless window asks for no decorations: the third Motif hint is 0.
      hints=$(DISPLAY=$display xprop -id "$win" _MOTIF_WM_HINTS | awk -F'[=,]' '{ print $4 + 0 }')
      [[ ${WIDTH}x$HEIGHT == "$2" && $((hints != 0)) == "$3" ]] && return 0
    fi
    sleep 0.05
  done
  fail "$1" "the window is ${WIDTH}x$HEIGHT with decorations $hints, not $2 with $3"
  return 1
}

# F11 in full screen: the player's mode back and a decorated 800 x 600 window with the
# layout at 1x (its "Bye!" where the 800 x 600 layout has it); F11 again: full screen,
# over the player's mode.
run_f11() {
  echo "--- F11"
  reset_mode f11
  start f11
  game_pid=$started_pid
  wait_mode 800x600 20 || fail f11 "the screen never became 800x600"
  wait_ready "$game_pid" f11 || fail f11 "not ready"
  local X Y
  f11_until f11 800x600 1
  wait_mode 1280x1024 5 || fail f11 "the mode stayed at $(screen_size) in the window"
  f11_until f11 1280x1024 0
  f11_until f11 800x600 1
  DISPLAY=$display xdotool mousemove --sync $((X + 706)) $((Y + 552)) click 1
  end_program "$game_pid" clicked
  game_pid=
  expect_back f11 "$(now_ms)"
}

run_once bye
run_once term
run_once kill
if [[ -n $game ]]; then
  run_f11
  run_two 1 2 term term
  run_two 2 1 term kill
  run_two 1 2 kill term
  run_scaled qt
  run_scaled xft
fi

if ((failures)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "PASS: the player's mode back after Bye!, SIGTERM and SIGKILL${game:+, after two games in either order, on a desktop scaled by 2 and around F11}"
