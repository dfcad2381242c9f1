#!/usr/bin/env bash
# Installs the build into a temporary folder with `cmake --install` and checks
# what a desktop needs from it: the program, a valid desktop entry, the icons
# at their sizes, valid AppStream metainfo that launches that desktop entry,
# a MIME type for saved games that shared-mime-info accepts, and the manual
# pages.
#
# usage: install_tree_test.sh path/to/cmake build-dir has-program(0|1)
# Exit 77 (skipped) when a desktop validator is not installed.
set -euo pipefail

cmake=$1
build=$2
has_program=$3

for tool in desktop-file-validate appstreamcli update-mime-database xmllint; do
  command -v "$tool" >/dev/null || { echo "skip: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

DESTDIR="$work/root" "$cmake" --install "$build" --prefix /usr >"$work/install.log" 2>&1 \
  || { cat "$work/install.log"; fail "cmake --install failed"; }
root=$work/root/usr
share=$root/share

# The program.
if [ "$has_program" = 1 ]; then
  [ -x "$root/bin/vandrel" ] || fail "bin/vandrel is missing or not executable"
  [ "$(head -c4 "$root/bin/vandrel" | od -An -c | tr -d ' ')" = '177ELF' ] \
    || fail "bin/vandrel is not an ELF program"
  # The sound module, where the program looks for it: its library folder,
  # found from the program's own folder.
  ls "$root"/lib*/vandrel/vandrel_sound.so >/dev/null 2>&1 \
    || ls "$root"/lib/*/vandrel/vandrel_sound.so >/dev/null 2>&1 \
    || fail "the sound module is not installed"
fi

# The manual pages, compressed, each one readable by man.
for page in man6/vandrel.6 man6/vandrel-selfplay.6 man1/vandrel-vdg.1; do
  [ -f "$share/man/$page.gz" ] || fail "$page.gz is not installed"
  if command -v man >/dev/null; then
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/$page.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man warns about $page: $warnings"
  fi
done

# The desktop entry: valid, and naming the program and icon that are installed.
desktop=$share/applications/vandrel.desktop
[ -f "$desktop" ] || fail "applications/vandrel.desktop is missing"
desktop-file-validate "$desktop" || fail "desktop-file-validate refuses the desktop entry"
key() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(key Name)" = Vandrel ] || fail "desktop entry: Name is '$(key Name)'"
[ "$(key Exec)" = "vandrel %f" ] || fail "desktop entry: Exec is '$(key Exec)'"
[ "$(key Icon)" = vandrel ] || fail "desktop entry: Icon is '$(key Icon)'"
[ -n "$(key Comment)" ] || fail "desktop entry: no Comment"
[ "$(key Categories)" = 'Game;BoardGame;' ] || fail "desktop entry: Categories is '$(key Categories)'"
[ "$(key MimeType)" = 'application/x-vandrel-game;' ] \
  || fail "desktop entry: MimeType is '$(key MimeType)'"

# The icons: one PNG per size, and each really that size (IHDR width, height).
for size in 16 32 48 64 128 256; do
  icon=$share/icons/hicolor/${size}x${size}/apps/vandrel.png
  [ -f "$icon" ] || fail "icon ${size}x${size} is missing"
  [ "$(head -c8 "$icon" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] \
    || fail "icon ${size}x${size} is not a PNG"
  dims=$(od -An -tu1 -j16 -N8 "$icon" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }')
  [ "$dims" = "${size}x${size}" ] || fail "icon ${size}x${size} is $dims"
done

# The AppStream metainfo: valid offline, launching our desktop entry, with a
# description, and a screenshot only from a real web address.
metainfo=$(ls "$share"/metainfo/*.metainfo.xml 2>/dev/null || true)
[ "$(printf '%s\n' "$metainfo" | grep -c .)" = 1 ] || fail "expected one metainfo file, found: $metainfo"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli refuses the metainfo"
id=$(xmllint --xpath 'string(/component/id)' "$metainfo")
[ "$(basename "$metainfo")" = "$id.metainfo.xml" ] || fail "metainfo file name does not match its id $id"
launch=$(xmllint --xpath 'string(/component/launchable[@type="desktop-id"])' "$metainfo")
[ "$launch" = vandrel.desktop ] || fail "metainfo launches '$launch'"
[ "$(xmllint --xpath 'count(/component/description/p)' "$metainfo")" -ge 1 ] \
  || fail "metainfo has no description"
shot=$(xmllint --xpath 'string(/component/screenshots/screenshot/image)' "$metainfo")
[ -z "$shot" ] || [[ "$shot" == https://*.png && "$shot" != *example.* ]] \
  || fail "metainfo screenshot is '$shot'"

# The MIME type: well-formed, and after update-mime-database a *.vdg file of
# any case is a Vandrel saved game.
mimexml=$share/mime/packages/vandrel.xml
[ -f "$mimexml" ] || fail "mime/packages/vandrel.xml is missing"
xmllint --noout "$mimexml" || fail "the MIME entry is not well-formed XML"
mkdir -p "$work/mime/packages"
cp "$mimexml" "$work/mime/packages/"
XDG_DATA_HOME=$work XDG_DATA_DIRS=$work update-mime-database "$work/mime" >"$work/mime.log" 2>&1 || { cat "$work/mime.log"; fail "update-mime-database failed"; }
[ -s "$work/mime.log" ] && { cat "$work/mime.log"; fail "update-mime-database complained"; }
grep -qx '50:application/x-vandrel-game:\*\.vdg' "$work/mime/globs2" \
  || { cat "$work/mime/globs2"; fail "globs2 has no *.vdg entry"; }
grep -q '^[0-9]*:application/x-vandrel-game:.*:cs' "$work/mime/globs2" \
  && { cat "$work/mime/globs2"; fail "the *.vdg glob is case-sensitive"; }
grep -q '^application/x-vandrel-game$' "$work/mime/types" || fail "types lacks application/x-vandrel-game"
grep -q '<comment>Vandrel saved game</comment>' "$work/mime/application/x-vandrel-game.xml" \
  || fail "the MIME type has no comment 'Vandrel saved game'"

echo PASS
