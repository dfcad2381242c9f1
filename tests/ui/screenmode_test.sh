#!/bin/bash
# The screen mode on a real X server that can change modes: Xorg with the dummy driver
# (Xvfb cannot). The script starts its own Xorg at 1280x1024, runs the program, checks that
# the screen is 800x600 while it runs, and that 1280x1024 is back after each way of ending
# it: a click on "Bye!", SIGTERM, and SIGKILL (where the guardian process restores it).
#
# Usage: screenmode_test.sh [PROGRAM]
#   PROGRAM is the program to test; by default the mode probe (vandrel_mode_probe in the
#   current directory), which behaves like the game. Pass the game itself to test it the
#   same way. "Bye!" is clicked at BYE_X,BYE_Y on the screen, by default 706,552: the
#   middle of the side panel's "Bye!" on an 800x600 screen.
# Exits 77 (skipped) only when Xorg or its dummy driver is not installed.
set -u

program=${1:-./vandrel_mode_probe}
bye_x=${BYE_X:-706}
bye_y=${BYE_Y:-552}

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

tmp=$(mktemp -d /tmp/vandrel-screenmode.XXXXXX)
xorg_pid=
program_pid=
cleanup() {
  [[ -n $program_pid ]] && kill -KILL "$program_pid" 2>/dev/null
  for pid in $(guardians); do kill -KILL "$pid" 2>/dev/null; done
  if [[ -n $xorg_pid ]]; then
    kill -TERM "$xorg_pid" 2>/dev/null
    wait "$xorg_pid" 2>/dev/null
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

mkdir "$tmp/conf.d"
cat >"$tmp/xorg.conf" <<'EOF'
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
    Modes "1280x1024" "800x600"
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

# A free display number from :57 on; Xorg itself settles a race with another test.
display=
for n in $(seq 57 99); do
  [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
  "$xorg" ":$n" -config "$tmp/xorg.conf" -configdir "$tmp/conf.d" -logfile "$tmp/Xorg.log" \
    -noreset -nolisten tcp >"$tmp/xorg.out" 2>&1 &
  xorg_pid=$!
  display=":$n"
  for _ in $(seq 100); do
    kill -0 "$xorg_pid" 2>/dev/null || break
    xrandr -display "$display" >/dev/null 2>&1 && break 2
    sleep 0.1
  done
  kill -TERM "$xorg_pid" 2>/dev/null
  wait "$xorg_pid" 2>/dev/null
  xorg_pid=
  display=
done
if [[ -z $display ]]; then
  echo "FAIL: Xorg with the dummy driver did not start"
  tail -n 20 "$tmp/Xorg.log" "$tmp/xorg.out" 2>/dev/null
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

# Runs the program once and ends it in the way given: bye, term or kill.
run_once() {
  local way=$1 log="$tmp/$1.log"
  echo "--- ending by $way"
  if ! mode_is 1280x1024; then
    fail "$way" "not at 1280x1024 before the start; resetting"
    xrandr -display "$display" --output "$(xrandr -display "$display" | awk '/ connected/ { print $1; exit }')" \
      --mode 1280x1024 --fb 1280x1024
  fi
  local start
  start=$(now_ms)
  DISPLAY=$display "$program" >"$log" 2>&1 &
  program_pid=$!
  if ! wait_mode 800x600 20; then
    fail "$way" "the screen never became 800x600 (it is $(screen_size))"
  else
    echo "800x600 after $(($(now_ms) - start)) ms from the program's start"
  fi
  # Wait until its window is on the screen, so the click finds it.
  if ! DISPLAY=$display timeout 10 xdotool search --sync --onlyvisible --pid "$program_pid" >/dev/null; then
    fail "$way" "no visible window"
  fi
  sleep 0.3
  if ! mode_is 800x600; then fail "$way" "not 800x600 with the window shown"; fi

  local ended
  ended=$(now_ms)
  case $way in
    bye) DISPLAY=$display xdotool mousemove --sync "$bye_x" "$bye_y" click 1 ;;
    term) kill -TERM "$program_pid" ;;
    kill) kill -KILL "$program_pid" ;;
  esac
  local waited=0
  while kill -0 "$program_pid" 2>/dev/null && ((waited < 100)); do
    sleep 0.1
    waited=$((waited + 1))
  done
  if kill -0 "$program_pid" 2>/dev/null; then
    fail "$way" "the program did not end"
    kill -KILL "$program_pid"
  fi
  { wait "$program_pid"; } 2>/dev/null
  local status=$?
  program_pid=
  echo "program exit status $status"
  if [[ $way != kill && $status -ne 0 ]]; then fail "$way" "exit status $status"; fi

  # After SIGKILL the guardian needs a moment.
  if wait_mode 1280x1024 5; then
    echo "1280x1024 back $(($(now_ms) - ended)) ms after the end was asked for"
  else
    fail "$way" "the mode stayed at $(screen_size) ($(active_mode))"
  fi
  sleep 0.2
  local left
  left=$(guardians)
  if [[ -n $left ]]; then fail "$way" "a guardian is still running: $left"; fi
  sed 's/^/  | /' "$log"
}

run_once bye
run_once term
run_once kill

if ((failures)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "PASS: 800x600 while running; 1280x1024 back after Bye!, SIGTERM and SIGKILL"
