#!/usr/bin/env bash
# The Debian package as lintian sees it: every program it installs has its
# manual page, and the pages themselves are sound (compressed, a good NAME
# line, no groff warnings). Other tags are listed for the maintainer but do
# not fail the test: the package is made by CPack, not by debhelper, and has
# no Debian changelog or copyright file of its own.
#
# usage: lintian_test.sh path/to/cpack build-dir
# Exit 77 (skipped) when lintian or dpkg-shlibdeps is not installed.
set -euo pipefail

cpack=$1
build=$2
for tool in lintian dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "skip: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cpack" -G DEB -B "$work/deb" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/deb/vandrel_*.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || fail "cpack made no vandrel_*.deb"

# The pages are in the package, one per program.
dpkg-deb -c "$deb" >"$work/contents"
for page in man6/vandrel.6.gz man6/vandrel-selfplay.6.gz man1/vandrel-vdg.1.gz; do
  grep -q "usr/share/man/$page\$" "$work/contents" || fail "the package lacks $page"
done

lintian --no-cfg --allow-root --display-level '>=pedantic' --tag-display-limit 0 "$deb" \
  >"$work/lintian" 2>&1 || true
echo "--- lintian (for the record)"
cat "$work/lintian"
if grep -E 'binary-without-manpage|manpage|manual-page' "$work/lintian"; then
  fail "lintian has something to say about the manual pages"
fi
echo PASS
