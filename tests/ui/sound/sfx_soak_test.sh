#!/usr/bin/env bash
# Games through the sound module on a real sound server, recorded from its
# null sink: every minute heard, every sound on time (see sfx_soak.cpp).
#
#   sfx_soak_test.sh KIND SFX_SOAK MODULE
#
# KIND is pulseaudio, pipewire, or all (both, and each with a restart). VANDREL_SOAK_SECONDS sets the length
# (default 180). With VANDREL_SOAK_RESTART=1 the server is killed after the
# 30th sound, and started again once the game has asked for 10 more: the
# game must go on meanwhile, and the sound must come back. Everything
# started here is stopped by PID. Exits 77 (skipped) when the server's tools
# are not installed.
set -u

kind=$1
soak=$2
module=$3

# "all": the soak on both servers and the restart on both, each with a server
# of its own, in two rounds: each three-minute soak beside one of the
# one-minute restarts. Four at once on two cores made the machine, not the
# game, the thing measured (a sound's start delayed by 117 ms, once in 330).
if [ "$kind" = all ]; then
  out=$(mktemp -d /tmp/vandrel-soaks.XXXXXX)
  runs=(pulseaudio restart-pipewire pipewire restart-pulseaudio)
  pids=()
  trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$out"; exit 1' INT TERM HUP
  start_run() {
    case $1 in
      restart-*) VANDREL_SOAK_RESTART=1 VANDREL_SOAK_SECONDS=60 "$0" "${1#restart-}" "$soak" \
        "$module" >"$out/$1" 2>&1 & ;;
      *) VANDREL_SOAK_RESTART=0 "$0" "$1" "$soak" "$module" >"$out/$1" 2>&1 & ;;
    esac
    pids+=($!)
  }
  rc=0
  for i in "${!runs[@]}"; do
    # A round: this run and the next one side by side.
    ((i % 2)) && continue
    start_run "${runs[$i]}"
    start_run "${runs[$((i + 1))]}"
    for j in "$i" $((i + 1)); do
      status=0
      wait "${pids[$j]}" || status=$?
      case $status in
        0) verdict=passed ;;
        77) verdict=skipped; [ "$rc" -eq 0 ] && rc=77 ;;
        *) verdict=FAILED; rc=1 ;;
      esac
      echo "=== ${runs[$j]}: $verdict"
      cat "$out/${runs[$j]}"
    done
  done
  rm -rf "$out"
  exit "$rc"
fi
# shellcheck source-path=SCRIPTDIR source=pulse_server.sh
. "$(dirname "$0")/pulse_server.sh"
if ! server_have_tools "$kind"; then
  echo "skip: $kind or its tools are not installed"
  exit 77
fi

work=$(mktemp -d /tmp/vandrel-soak.XXXXXX)
soak_pid=""
cleanup() {
  if [ -n "$soak_pid" ]; then kill "$soak_pid" 2>/dev/null && wait "$soak_pid" 2>/dev/null; fi
  server_stop
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

fail() {
  echo "FAIL: $*"
  cat "$work/soak.out" 2>/dev/null | grep -v '^sound ' | tail -n 30
  exit 1
}

server_start "$kind" "$work" || exit 1

"$soak" "$module" "$pulse_sink.monitor" >"$work/soak.out" 2>"$work/soak.err" &
soak_pid=$!

# Waits until the game has asked for $1 sounds in all.
wait_sounds() {
  while [ "$(grep -c '^sound ' "$work/soak.out")" -lt "$1" ]; do
    kill -0 "$soak_pid" 2>/dev/null || fail "the soak ended before sound $1"
    sleep 0.1
  done
}

if [ "${VANDREL_SOAK_RESTART:-0}" = 1 ]; then
  wait_sounds 30
  echo "killing the server after sound 30"
  server_kill
  # The game goes on without a server, waiting for no sound.
  wait_sounds 40
  echo "starting the server again after sound 40"
  server_restart >/dev/null || fail "the server did not start again"
fi

rc=0
wait "$soak_pid" || rc=$?
soak_pid=""
grep -v '^sound ' "$work/soak.out"
if [ -s "$work/soak.err" ]; then
  echo "--- the soak's messages (first 20 lines)"
  head -n 20 "$work/soak.err"
fi
[ "$rc" -eq 0 ] || exit 1
