# shellcheck shell=bash
# A private PulseAudio server with one null sink, and parec recording the
# sink's monitor. Sourced by the sound tests (bash):
#
#   pulse_have_tools          true when pulseaudio, parec and pactl are there
#   pulse_start WORK          starts the server with its folders under WORK
#                             and points this shell's clients at it
#   pulse_record_start FILE RATE
#                             records the monitor to FILE (raw s16le, mono,
#                             RATE Hz) and returns once the recording runs
#   pulse_record_stop         ends the recording
#   pulse_stop                ends the recording and the server (for a trap)
#
# The server runs as whoever starts it, also as root: its own runtime, state
# and home folders, its own socket, no system configuration, never exiting
# while idle. Its processes are stopped by PID only.

pulse_sink=vandrel_null
pulse_pid=""
pulse_rec_pid=""

pulse_have_tools() {
  command -v pulseaudio >/dev/null && command -v parec >/dev/null && command -v pactl >/dev/null
}

pulse_start() {
  local work=$1
  mkdir -p "$work/run/pulse" "$work/home" "$work/state"
  chmod 700 "$work/run" "$work/run/pulse"
  export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" PULSE_RUNTIME_PATH="$work/run/pulse"
  export PULSE_STATE_PATH="$work/state" PULSE_CONFIG_PATH="$work/state"
  local socket="$work/run/pulse/native"
  printf 'autospawn = no\n' >"$work/client.conf"
  export PULSE_CLIENTCONFIG="$work/client.conf" PULSE_SERVER="unix:$socket"
  unset PULSE_SINK PULSE_SOURCE

  pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=no --disallow-exit \
    --disable-shm=yes --log-target=file:"$work/pulse.log" \
    --load="module-null-sink sink_name=$pulse_sink rate=44100 channels=2" \
    --load="module-native-protocol-unix socket=$socket auth-anonymous=1" &
  pulse_pid=$!

  for _ in $(seq 50); do
    pactl info >/dev/null 2>&1 && break
    kill -0 "$pulse_pid" 2>/dev/null || break
    sleep 0.1
  done
  if ! pactl info >/dev/null 2>&1; then
    echo "PulseAudio did not start:"
    cat "$work/pulse.log"
    return 1
  fi
  pactl set-default-sink "$pulse_sink"
  echo "server: $(pactl info | grep -E 'Server Version|Default Sink' | tr '\n' ' ')"
}

pulse_record_start() {
  local file=$1 rate=$2
  parec --device="$pulse_sink.monitor" --rate="$rate" --channels=1 --format=s16le --raw \
    --latency-msec=20 "$file" &
  pulse_rec_pid=$!
  # The recording stream takes a while to begin: 200 ms of it, then go on.
  for _ in $(seq 100); do
    [ "$(stat -c %s "$file" 2>/dev/null || echo 0)" -gt $((rate * 2 / 5)) ] && return 0
    sleep 0.05
  done
  echo "parec did not start recording"
  return 1
}

pulse_record_stop() {
  [ -n "$pulse_rec_pid" ] || return 0
  kill -INT "$pulse_rec_pid" 2>/dev/null
  wait "$pulse_rec_pid" 2>/dev/null
  pulse_rec_pid=""
}

pulse_stop() {
  pulse_record_stop
  if [ -n "$pulse_pid" ]; then
    kill "$pulse_pid" 2>/dev/null && wait "$pulse_pid" 2>/dev/null
    pulse_pid=""
  fi
  return 0
}
