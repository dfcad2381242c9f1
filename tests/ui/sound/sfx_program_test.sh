#!/usr/bin/env bash
# The real program's sounds on a real PulseAudio server.
#
#   sfx_program_test.sh VANDREL SFX_PROBE
#
# Starts a private PulseAudio with a null sink and Xvfb at 800 x 600 (on a
# display it picks itself),
# then the program with its trace on. Records the sink's monitor with parec
# while xdotool sets up a match, starts a game, throws the die and moves
# piece 1; the trace lines are time-stamped as they arrive. SFX_PROBE then
# finds "DICE" and "MOVE" in the recording: in that order, each about as long
# as it is, MOVE starting as long after DICE as the trace says ("sound DICE",
# the sound's own length, the 20 x 100 ms of the die, the move). Leaves by
# "Bye!". Everything started here is stopped by PID.
#
# VANDREL_SFX_RECORDING=FILE keeps the recording as a WAVE file (needs sox).
# Exits 77 (skipped) when PulseAudio, Xvfb or xdotool is missing.
set -u

prog=$1
probe=$2
# shellcheck source-path=SCRIPTDIR source=pulse_server.sh
. "$(dirname "$0")/pulse_server.sh"
# shellcheck source=../../tools/xsession.sh
. "$(dirname "$0")/../../../tools/xsession.sh"
if ! pulse_have_tools; then
  echo "skip: pulseaudio or pulseaudio-utils is not installed"
  exit 77
fi
xsession_test_setup Xvfb xdotool
# The trace's time stamps and the sound server go too.
stamp_pid=""
xsession_stop_more() {
  [ -n "$stamp_pid" ] && kill "$stamp_pid" 2>/dev/null && wait "$stamp_pid" 2>/dev/null
  pulse_stop
}

pulse_start "$work" || exit 1

xsession_start auto "$work/xvfb.log" || fail "Xvfb did not start"

# Each trace line gets the time it arrived, in ms since t0 with three
# decimals: "1234.567 throw 3". Bash's own clock needs no process per line.
now_us() { echo "${EPOCHREALTIME//[!0-9]/}"; }
t0=$(now_us)
stamp() {
  local line us
  while IFS= read -r line; do
    us=$(($(now_us) - t0))
    printf '%d.%03d %s\n' $((us / 1000)) $((us % 1000)) "$line"
  done
}
mkfifo "$work/trace.fifo"
stamp <"$work/trace.fifo" >"$work/trace" &
stamp_pid=$!
env VANDREL_TRACE=1 "$prog" >"$work/trace.fifo" 2>"$work/stderr" &
game_pid=$!

# Waits up to $2 seconds (default 10) for a trace line matching $1.
wait_trace() {
  local pattern=$1 limit=${2:-10}
  for _ in $(seq $((limit * 20))); do
    grep -qE "^[0-9.]+ $pattern" "$work/trace" && return 0
    kill -0 "$game_pid" 2>/dev/null || fail "the program ended while waiting for '$pattern'"
    sleep 0.05
  done
  fail "no trace line '$pattern' within $limit s"
}
# The arrival time (ms) of the first trace line matching $1.
trace_ms() { grep -m1 -E "^[0-9.]+ $1" "$work/trace" | cut -d' ' -f1; }
# $1 - $2 for times in ms with decimals.
ms_diff() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a - b }'; }

wait_trace 'shown$'
sleep 1.5  # the sounds are loaded right after the first paint

rate=22050
pulse_record_start "$work/rec.raw" $rate || fail "no recording"

# Apply leaves the sound box as it starts: on.
xsession_start_game || fail "the options dialog did not open"
wait_trace 'turn 1$'
sleep 0.2
click 670 264  # the die
wait_trace 'throw [1-6]$' 15
dice=$(grep -m1 -E '^[0-9.]+ throw [1-6]$' "$work/trace" | cut -d' ' -f3)

read -r col row < <(xsession_first_target "$dice")
click "$(cell_x 1)" "$(cell_y 6)"  # select piece 1
xdotool mousemove "$(cell_x "$col")" "$(cell_y "$row")"
sleep 0.2
click "$(cell_x "$col")" "$(cell_y "$row")"
wait_trace "move 1 1 $col $row\$"
wait_trace 'sound MOVE$'
# MOVE (120 ms) and what the server still holds. The computer's throw sounds
# only after the pauses that follow a move, 800 ms in all.
sleep 0.8
pulse_record_stop

click 706 552  # "Bye!"
xsession_expect_exit "Bye!"
wait "$stamp_pid"
stamp_pid=""

if [ -n "${VANDREL_SFX_RECORDING:-}" ] && command -v sox >/dev/null; then
  sox -t raw -r $rate -e signed -b 16 -c 1 "$work/rec.raw" "$VANDREL_SFX_RECORDING"
fi

# The trace: DICE, its own length and the die's 20 x 100 ms, then "throw";
# the move's "sound MOVE" as xdotool made it.
t_dice=$(trace_ms 'sound DICE$')
t_throw=$(trace_ms 'throw [1-6]$')
t_move=$(trace_ms 'sound MOVE$')
dice_ms=$("$probe" length DICE | cut -d' ' -f2)
if [ -z "$t_dice" ] || [ -z "$t_move" ] || [ -z "$dice_ms" ]; then fail "no sound in the trace"; fi
echo "die $dice: moved piece 1 to ($col, $row)"
echo "trace: sound DICE at $t_dice ms, throw $(ms_diff "$t_throw" "$t_dice") ms later," \
  "sound MOVE $(ms_diff "$t_move" "$t_throw") ms after that;" \
  "DICE to MOVE $(ms_diff "$t_move" "$t_dice") ms (DICE is $dice_ms ms)"
# The die runs only once DICE has ended.
awk -v d="$(ms_diff "$t_throw" "$t_dice")" -v l="$dice_ms" 'BEGIN { exit !(d >= l + 2000 - 5) }' ||
  fail "the die ran before DICE had ended"

# The recording: both sounds, in order, whole, as far apart as the trace says.
"$probe" analyse --gaps "$(ms_diff "$t_move" "$t_dice")" "$work/rec.raw" $rate DICE MOVE ||
  fail "the sounds did not reach the server as played"
echo "PASS"
