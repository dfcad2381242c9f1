#!/usr/bin/env bash
# The files around the program in every language the game speaks: the desktop
# entry, the AppStream metainfo and the saved games' MIME type each carry the
# eight translations, both validators have nothing at all to say, and no
# address points at a place that does not exist.
#
# usage: languages_test.sh path/to/source-dir
# Exit 77 (skipped) when a validator is not installed.
set -euo pipefail

source_dir=$1
languages=(de es fr it nl pl pt_BR ru)

for tool in desktop-file-validate appstreamcli xmllint; do
  command -v "$tool" >/dev/null || { echo "skip: $tool is not installed"; exit 77; }
done

packaging=$source_dir/packaging
desktop=$packaging/vandrel.desktop
metainfo=$(ls "$packaging"/*.metainfo.xml)
mime=$packaging/vandrel-mime.xml
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The validators, pedantic, with not even a hint left.
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate refuses the desktop entry"
[ -z "$out" ] || fail "desktop-file-validate says: $out"
out=$(appstreamcli validate --pedantic --no-net --no-color "$metainfo" 2>&1) \
  || fail "appstreamcli refuses the metainfo"
grep -E '^[EWIP]: ' <<<"$out" && fail "appstreamcli has remarks on the metainfo"

grep -rn 'example\.org' "$packaging" "$source_dir/cmake/Install.cmake" \
  && fail "an example.org address in the packaging"

# Every language: a value of its own for each translated desktop key, and in
# the metainfo as many paragraphs and list items as the English text has.
desktop_key() { sed -n "s/^$1=//p" "$desktop"; }
count() { xmllint --xpath "count($1)" "$metainfo"; }
for lang in "${languages[@]}"; do
  for key in GenericName Comment Keywords; do
    value=$(desktop_key "$key\\[$lang\\]")
    [ -n "$value" ] || fail "desktop entry: no $key[$lang]"
    [ "$value" != "$(desktop_key "$key")" ] || fail "desktop entry: $key[$lang] is the English one"
  done
  [[ "$(desktop_key "Keywords\\[$lang\\]")" == *\; ]] || fail "desktop entry: Keywords[$lang] does not end in ';'"

  for path in /component/summary /component/description/p /component/description/ul/li \
              /component/releases/release/description/p /component/releases/release/description/ul/li; do
    english=$(count "${path}[not(@xml:lang)]")
    translated=$(count "${path}[@xml:lang='$lang']")
    [ "$english" -ge 1 ] || fail "metainfo: no English $path"
    [ "$translated" = "$english" ] || fail "metainfo: $translated of $english $path in $lang"
  done

  comment=$(xmllint --xpath "string(//*[local-name()='comment'][@xml:lang='$lang'])" "$mime")
  [ -n "$comment" ] || fail "MIME type: no comment in $lang"
done

[ "$failures" = 0 ] || { echo "$failures failures"; exit 1; }
echo PASS
