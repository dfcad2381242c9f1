#!/usr/bin/env bash
# The scaled layout on real X servers: Xvfb at 800 x 600 (the reference),
# 1600 x 1200, 1920 x 1080 and 3840 x 2160 in full screen, and a --window
# game resized with xdotool to 1200 x 900. In each, the middles of the
# computer's piece 1, the human's piece 1, the die display and an empty
# square must show at their scaled places what they show at 1x; then a game
# is started, and clicks at scaled cell middles select piece 1 and move it.
#
# usage: scaled_screens_test.sh path/to/vandrel
# Exit 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
set -euo pipefail
# shellcheck source=../../tools/xsession.sh
. "$(dirname "$0")/../../../tools/xsession.sh"

prog=$1
xsession_test_setup Xvfb xdotool import convert

fail() {
  echo "FAIL ($case_name): $*"
  xsession_dump_logs
  [ -f "$work/shot.png" ] && cp "$work/shot.png" "${TMPDIR:-/tmp}/scaled_screens_fail.png" &&
    echo "screenshot: ${TMPDIR:-/tmp}/scaled_screens_fail.png"
  exit 1
}

# The places looked at, in layout coordinates: "name x y".
probes=(
  "computer-piece-1 129 125"
  "human-piece-1 129 475"
  "die 742 264"
  "empty-square 269 335"
)

# The mean colour of the 9 x 9 layout pixels around each probe, one line each.
sample() {
  import -window root "$work/shot.png"
  local probe name x y sx sy side
  side=$(awk -v s="$lay_s" 'BEGIN { printf "%d", 9 * s + 0.5 }')
  for probe in "${probes[@]}"; do
    read -r name x y <<<"$probe"
    read -r sx sy < <(at $((x - 4)) $((y - 4)))
    echo "$name $(convert "$work/shot.png" -crop "${side}x${side}+$sx+$sy" -resize '1x1!' \
      -format '%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]' info:)"
  done
}

# Whether every probe is within 24 per channel of the reference.
matches() {
  awk 'NR == FNR { r[$1] = $2; g[$1] = $3; b[$1] = $4; next }
       function d(a, c) { return a > c ? a - c : c - a }
       { if (!($1 in r) || d($2, r[$1]) > 24 || d($3, g[$1]) > 24 || d($4, b[$1]) > 24) bad = 1 }
       END { exit bad }' "$work/reference" "$1"
}

# case: name, screen, window size ("" = full screen)
cases=(
  "reference 800x600 -"
  "1600x1200 1600x1200 -"
  "1920x1080 1920x1080 -"
  "3840x2160 3840x2160 -"
  "window-1200x900 1920x1080 1200x900"
)
for c in "${cases[@]}"; do
  read -r case_name screen window <<<"$c"
  xsession_start auto "$work/xvfb.log" "$screen" || fail "Xvfb did not start"
  : >"$work/trace"
  args=()
  [ "$window" != - ] && args=(--window)
  xsession_forget_kept
  env VANDREL_TRACE=1 "$prog" "${args[@]}" >"$work/trace" 2>"$work/stderr" &
  game_pid=$!
  wait_trace '^ready$'
  if [ "$window" != - ]; then
    win=$(xsession_wait_window '^Vandrel$') || fail "no game window"
    xdotool windowsize "$win" "${window%x*}" "${window#*x}"
  fi

  # The picture settles once the window has its size and has painted it.
  ok=""
  for _ in $(seq 40); do
    xsession_layout || fail "no game window"
    sample >"$work/sample"
    if [ "$case_name" = reference ] || matches "$work/sample"; then ok=1; break; fi
  done
  [ "$case_name" = reference ] && cp "$work/sample" "$work/reference"
  printf '%s: scale %s, at (%s, %s):' "$case_name" "$lay_s" "$lay_x" "$lay_y"
  awk '{ printf " %s %d,%d,%d", $1, $2, $3, $4 }' "$work/sample"
  echo
  [ -n "$ok" ] || fail "the scaled pixels differ from 1x"

  # Select and move at the scaled cell middles.
  xsession_start_game || fail "the options dialog did not open"
  xsession_first_move "$work/trace" >/dev/null
  xsession_stop
done
echo "PASS"
