#!/usr/bin/env bash
# Plays sounds through a real PulseAudio server and checks they arrive.
#
#   sfx_pulse_test.sh PROBE NAME...
#
# Starts a private PulseAudio with only a null sink, records the sink's
# monitor with parec while PROBE plays the named sounds (each waited for its
# length), then lets PROBE find the sounds in the recording: in order, each
# about as long as it should be. Everything started here is stopped by PID.
# Exits 77 (skipped) when PulseAudio is not installed.
set -u

probe="$1"
shift
if ! command -v pulseaudio >/dev/null || ! command -v parec >/dev/null ||
  ! command -v pactl >/dev/null; then
  echo "pulseaudio or pulseaudio-utils not installed: skipped"
  exit 77
fi

work="$(mktemp -d /tmp/vandrel-pulse.XXXXXX)"
pa_pid=""
rec_pid=""
cleanup() {
  for pid in $rec_pid $pa_pid; do
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# A private server: its own runtime and state folders, its own socket, no
# configuration read from the system, never exiting while idle.
mkdir -p "$work/run/pulse" "$work/home" "$work/state"
chmod 700 "$work/run" "$work/run/pulse"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" PULSE_RUNTIME_PATH="$work/run/pulse"
export PULSE_STATE_PATH="$work/state" PULSE_CONFIG_PATH="$work/state"
socket="$work/run/pulse/native"
printf 'autospawn = no\n' >"$work/client.conf"
export PULSE_CLIENTCONFIG="$work/client.conf" PULSE_SERVER="unix:$socket"
unset PULSE_SINK PULSE_SOURCE

pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=no --disallow-exit \
  --disable-shm=yes --log-target=file:"$work/pulse.log" \
  --load="module-null-sink sink_name=vandrel_null rate=44100 channels=2" \
  --load="module-native-protocol-unix socket=$socket auth-anonymous=1" &
pa_pid=$!

for _ in $(seq 50); do
  pactl info >/dev/null 2>&1 && break
  if ! kill -0 "$pa_pid" 2>/dev/null; then break; fi
  sleep 0.1
done
if ! pactl info >/dev/null 2>&1; then
  echo "PulseAudio did not start:"
  cat "$work/pulse.log"
  exit 1
fi
pactl set-default-sink vandrel_null
echo "server: $(pactl info | grep -E 'Server Version|Default Sink' | tr '\n' ' ')"

rate=22050
parec --device=vandrel_null.monitor --rate=$rate --channels=1 --format=s16le --raw \
  --latency-msec=20 "$work/rec.raw" &
rec_pid=$!
# The recording stream takes a while to begin; play only once it runs.
for _ in $(seq 100); do
  [ "$(stat -c %s "$work/rec.raw" 2>/dev/null || echo 0)" -gt $((rate * 2 / 5)) ] && break
  sleep 0.05
done

QT_QPA_PLATFORM=offscreen "$probe" play "$@"
played=$?
sleep 0.5
kill -INT "$rec_pid" 2>/dev/null
wait "$rec_pid" 2>/dev/null
rec_pid=""

# VANDREL_SFX_RECORDING=FILE keeps a copy of the recording, as a WAVE file.
if [ -n "${VANDREL_SFX_RECORDING:-}" ] && command -v sox >/dev/null; then
  sox -t raw -r $rate -e signed -b 16 -c 1 "$work/rec.raw" "$VANDREL_SFX_RECORDING"
fi
if [ "$played" -ne 0 ]; then
  echo "probe could not play (exit $played)"
  exit 1
fi
"$probe" analyse "$work/rec.raw" "$rate" "$@"
