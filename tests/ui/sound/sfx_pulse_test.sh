#!/usr/bin/env bash
# Plays sounds through a real PulseAudio server and checks they arrive.
#
#   sfx_pulse_test.sh PROBE NAME...
#
# Starts a private PulseAudio with only a null sink, records the sink's
# monitor with parec while PROBE plays the named sounds (each waited for its
# length), then lets PROBE find the sounds in the recording: in order, each
# about as long as it should be, each starting when PROBE started it.
# Everything started here is stopped by PID.
# Exits 77 (skipped) when PulseAudio is not installed.
set -u

probe="$1"
shift
# shellcheck source-path=SCRIPTDIR source=pulse_server.sh
. "$(dirname "$0")/pulse_server.sh"
if ! pulse_have_tools; then
  echo "pulseaudio or pulseaudio-utils not installed: skipped"
  exit 77
fi

work="$(mktemp -d /tmp/vandrel-pulse.XXXXXX)"
cleanup() {
  pulse_stop
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

pulse_start "$work" || exit 1
rate=22050
pulse_record_start "$work/rec.raw" $rate || exit 1

QT_QPA_PLATFORM=offscreen "$probe" play "$@" | tee "$work/play.txt"
played=${PIPESTATUS[0]}
sleep 0.5
pulse_record_stop

# VANDREL_SFX_RECORDING=FILE keeps a copy of the recording, as a WAVE file.
if [ -n "${VANDREL_SFX_RECORDING:-}" ] && command -v sox >/dev/null; then
  sox -t raw -r $rate -e signed -b 16 -c 1 "$work/rec.raw" "$VANDREL_SFX_RECORDING"
fi
if [ "$played" -ne 0 ]; then
  echo "probe could not play (exit $played)"
  exit 1
fi
# The times between the starts as the probe saw them.
gaps=$(sed -n 's/.* start=\([0-9]*\) .*/\1/p' "$work/play.txt" |
  awk 'NR > 1 { printf "%s%d", sep, $1 - last; sep = "," } { last = $1 }')
"$probe" analyse ${gaps:+--gaps "$gaps"} "$work/rec.raw" "$rate" "$@"
