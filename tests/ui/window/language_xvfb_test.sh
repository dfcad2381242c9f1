#!/usr/bin/env bash
# The real program in German on Xvfb: the Options window (N) and the record
# (R) come up under their German titles, as the German catalogue gives them,
# and --help speaks German.
#
# usage: language_xvfb_test.sh path/to/vandrel path/to/translations/vandrel_de.ts
# Exit 77 (skipped) when Xvfb, xdotool or xmllint is missing.
set -euo pipefail
# shellcheck source=../../tools/xsession.sh
. "$(dirname "$0")/../../../tools/xsession.sh"

prog=$1 catalogue=$2
xsession_test_setup Xvfb xdotool xmllint
# The German the catalogue holds for an English source text of a context.
german() {
  xmllint --xpath "string(//context[name='$1']/message[source='$2']/translation)" "$catalogue"
}
options=$(german vandrel::OptionsDialog Options)
record=$(german vandrel::RecordDialog 'Your record')
[ -n "$options" ] && [ -n "$record" ] || fail "the German catalogue lacks the titles"
[ "$options" != Options ] || fail "the German title is the English one"

help=$(LANGUAGE=de "$prog" --help)
grep -qF -- "$(LANGUAGE=en "$prog" --help | sed -n 2p)" <<<"$help" &&
  fail "--help is English in German: $help"

xsession_start auto "$work/xvfb.log" || fail "Xvfb did not start"
env LANGUAGE=de VANDREL_TRACE=1 "$prog" --window >"$work/trace" 2>"$work/stderr" &
game_pid=$!
wait_trace '^ready$' 20
win=$(xsession_wait_window '^Vandrel$') || fail "no game window"
xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool key n
xsession_wait_window "^${options}\$" >/dev/null || fail "no window titled '$options'"
xdotool key Escape
for _ in $(seq 200); do
  xdotool search --onlyvisible --name "^${options}\$" >/dev/null 2>&1 || break
  sleep 0.05
done
xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool key r
xsession_wait_window "^${record}\$" >/dev/null || fail "no window titled '$record'"
echo "German: '$options', '$record', and --help in German"
