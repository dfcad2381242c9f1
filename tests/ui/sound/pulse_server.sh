# shellcheck shell=bash
# A private sound server with one null sink, and parec recording the sink's
# monitor. Sourced by the sound tests (bash):
#
#   pulse_have_tools          true when pulseaudio, parec and pactl are there
#   pulse_start WORK          starts PulseAudio with its folders under WORK
#                             and points this shell's clients at it
#   pulse_record_start FILE RATE
#                             records the monitor to FILE (raw s16le, mono,
#                             RATE Hz) and returns once the recording runs
#   pulse_record_stop         ends the recording
#   pulse_stop                ends the recording and the server (for a trap)
#
#   server_have_tools KIND    KIND is pulseaudio or pipewire (PipeWire with
#                             its PulseAudio server, pipewire-pulse, and
#                             WirePlumber, on a D-Bus session bus of its own)
#   server_start KIND WORK    starts that server as pulse_start does, and a
#                             silent stream into the sink, so that the sink
#                             and its monitor run without a pause
#   server_kill               kills the server (SIGKILL), as a crash would
#   server_restart            starts it again as it was
#   server_stop               ends everything started here (for a trap)
#
# The server runs as whoever starts it, also as root: its own runtime, state
# and home folders, its own socket, no system configuration, never exiting
# while idle. Its processes are stopped by PID only.

pulse_sink=vandrel_null
pulse_pid=""
pulse_rec_pid=""
server_kind=""
server_work=""
server_pids=""
server_bus_pid=""
server_silence_pid=""

pulse_have_tools() {
  command -v pulseaudio >/dev/null && command -v parec >/dev/null && command -v pactl >/dev/null
}

server_have_tools() {
  case $1 in
    pulseaudio) pulse_have_tools ;;
    pipewire)
      for tool in pipewire pipewire-pulse wireplumber dbus-daemon parec pactl pacat; do
        command -v "$tool" >/dev/null || return 1
      done ;;
    *) return 1 ;;
  esac
}

# The folders and the client settings shared by both servers.
server_env() {
  local work=$1
  mkdir -p "$work/run/pulse" "$work/home" "$work/state" "$work/config"
  chmod 700 "$work/run" "$work/run/pulse"
  export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" PULSE_RUNTIME_PATH="$work/run/pulse"
  export XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"
  export PULSE_STATE_PATH="$work/state" PULSE_CONFIG_PATH="$work/state"
  export PIPEWIRE_RUNTIME_DIR="$work/run"
  printf 'autospawn = no\n' >"$work/client.conf"
  export PULSE_CLIENTCONFIG="$work/client.conf" PULSE_SERVER="unix:$work/run/pulse/native"
  unset PULSE_SINK PULSE_SOURCE PIPEWIRE_REMOTE
}

# Waits until the PulseAudio protocol answers (both servers speak it).
server_wait_ready() {
  local log=$1
  for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "the sound server did not start:"
  cat "$log"
  return 1
}

pulse_launch() {
  local work=$1
  pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=no --disallow-exit \
    --disable-shm=yes --log-target=file:"$work/pulse.log" \
    --load="module-null-sink sink_name=$pulse_sink rate=44100 channels=2" \
    --load="module-native-protocol-unix socket=$work/run/pulse/native auth-anonymous=1" &
  pulse_pid=$!
  server_pids=$pulse_pid
  server_wait_ready "$work/pulse.log"
}

pipewire_launch() {
  local work=$1
  if [ -z "$server_bus_pid" ]; then
    dbus-daemon --session --nofork --nopidfile --address="unix:path=$work/run/bus" \
      >"$work/dbus.log" 2>&1 &
    server_bus_pid=$!
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/run/bus"
    for _ in $(seq 50); do [ -S "$work/run/bus" ] && break; sleep 0.1; done
  fi
  # The null sink is PipeWire's own, there from the start as a sound card
  # would be, so no client can come before it.
  mkdir -p "$XDG_CONFIG_HOME/pipewire/pipewire.conf.d"
  cat >"$XDG_CONFIG_HOME/pipewire/pipewire.conf.d/vandrel-null.conf" <<CONF
context.objects = [
  { factory = adapter
    args = {
      factory.name = support.null-audio-sink
      node.name = "$pulse_sink"
      media.class = "Audio/Sink"
      object.linger = true
      audio.position = [ FL FR ]
      audio.rate = 44100
    }
  }
]
CONF
  pipewire >"$work/pipewire.log" 2>&1 &
  server_pids=$!
  for _ in $(seq 50); do [ -S "$work/run/pipewire-0" ] && break; sleep 0.1; done
  wireplumber >"$work/wireplumber.log" 2>&1 &
  server_pids="$server_pids $!"
  pipewire-pulse >"$work/pipewire-pulse.log" 2>&1 &
  server_pids="$server_pids $!"
  server_wait_ready "$work/pipewire-pulse.log" || return 1
  for _ in $(seq 50); do
    pactl list short sinks 2>/dev/null | grep -q "$pulse_sink" && break
    sleep 0.1
  done
}

pulse_start() {
  server_env "$1"
  server_work=$1
  server_kind=pulseaudio
  pulse_launch "$1" || return 1
  pactl set-default-sink "$pulse_sink"
  echo "server: $(pactl info | grep -E 'Server Name|Server Version|Default Sink' | tr '\n' ' ')"
}

server_start() {
  server_kind=$1
  server_work=$2
  server_env "$2"
  case $1 in
    pulseaudio) pulse_launch "$2" ;;
    pipewire) pipewire_launch "$2" ;;
  esac || return 1
  pactl set-default-sink "$pulse_sink"
  # Silence into the sink keeps its clock and its monitor running.
  pacat --playback --raw --format=s16le --rate=44100 --channels=2 --device="$pulse_sink" \
    --latency-msec=50 /dev/zero &
  server_silence_pid=$!
  echo "server: $(pactl info | grep -E 'Server Name|Server Version|Default Sink' | tr '\n' ' ')"
}

server_kill() {
  local pid
  for pid in $server_silence_pid $server_pids; do
    kill -KILL "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  server_pids=""
  server_silence_pid=""
  pulse_pid=""
}

server_restart() { server_start "$server_kind" "$server_work"; }

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

server_stop() {
  local pid
  pulse_record_stop
  for pid in $server_silence_pid $server_pids $server_bus_pid; do
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  server_pids=""
  server_silence_pid=""
  server_bus_pid=""
  pulse_pid=""
  return 0
}

pulse_stop() { server_stop; }
