#!/usr/bin/env bash
# The Debian package on a clean Debian 12 system: builds the .deb with cpack,
# installs it with apt-get into a fresh bookworm root (debootstrap, minbase),
# starts the program there under Xvfb, sees its window come up, leaves with
# "Bye!", removes the package and checks the program is gone.
#
# The bare root (minbase plus Xvfb and xdotool for the check) is made once and
# kept in $VANDREL_TEST_ROOT_CACHE (default /var/cache/vandrel-test-root); each
# run works on an overlay of it, so the cached root stays clean. Packages that
# apt downloads are kept there too. Delete the folder to start afresh.
#
# usage: deb_chroot_test.sh path/to/cpack build-dir
# Exit 77 (skipped) when not root, when debootstrap is missing, when mounts
# are not allowed, or when the Debian mirror cannot be reached.
set -euo pipefail

cpack=$1
build=$2
cache=${VANDREL_TEST_ROOT_CACHE:-/var/cache/vandrel-test-root}
suite=bookworm

skip() { echo "skip: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "needs root for debootstrap, mount and chroot"
for tool in debootstrap dpkg-shlibdeps chroot mount umount flock; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done

# The Debian mirror this machine's apt uses: the first bookworm entry of
# /etc/apt/sources.list or /etc/apt/sources.list.d/ (one-line or deb822), or
# $VANDREL_TEST_MIRROR.
find_mirror() {
  local f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    awk -v s="$suite" '$1 == "deb" {
        i = 2; if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
        if ($(i + 1) == s) { print $i; exit } }' "$f"
  done
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk -v s="$suite" '
      function flush() { if (deb && uri != "" && has) { print uri; found = 1 } deb = 0; uri = ""; has = 0 }
      /^[ \t]*$/ { flush(); if (found) exit; next }
      /^Types:/ { for (i = 2; i <= NF; i++) if ($i == "deb") deb = 1 }
      /^URIs:/ { uri = $2 }
      /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == s) has = 1 }
      END { if (!found) flush() }' "$f"
  done
}
mirror=${VANDREL_TEST_MIRROR:-$(find_mirror | head -n1)}
[ -n "$mirror" ] || skip "no $suite entry in this machine's apt sources"
mirror=${mirror%/}
echo "mirror: $mirror"

work=$(mktemp -d /tmp/vandrel-deb.XXXXXX)
mounts=()  # mounted paths, unmounted last first
pids=()    # processes started here
cleanup() {
  local pid i
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  # Anything those left running inside the root.
  if [ -n "${root:-}" ]; then
    for pid in $(ls /proc | grep -E '^[0-9]+$'); do
      [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$root" ] && kill -9 "$pid" 2>/dev/null || true
    done
  fi
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}" 2>/dev/null || true
  done
  # Never delete through a mount that is still there (/dev is bound in).
  if grep -q " $work/" /proc/mounts; then
    echo "warning: mounts under $work remain; leaving it in place"
  else
    rm -rf --one-file-system "$work"
  fi
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  for f in "$work"/*.log "$work/trace" "$work/stderr"; do
    [ -s "$f" ] && { echo "--- $(basename "$f")"; tail -n 40 "$f"; }
  done
  exit 1
}
mount_at() {  # mount_at target mount-arguments...
  local target=$1
  shift
  mount "$@" "$target" || return 1
  mounts+=("$target")
}
elapsed() { echo "$(($(date +%s) - start))s"; }
start=$(date +%s)

# 1. The package.
mkdir -p "$work/deb"
"$cpack" -G DEB -B "$work/deb" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 \
  || fail "cpack failed"
deb=$(ls "$work"/deb/vandrel_*.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || fail "cpack made no vandrel_*.deb"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes ($(elapsed))"
dpkg-deb -f "$deb" Depends | tee "$work/depends.txt"
for dep in libqt6widgets6 libqt6gui6 libsdl2-mixer-2.0-0 libjpeg62-turbo fonts-dejavu-core; do
  grep -qw "$dep" "$work/depends.txt" || fail "the package does not depend on $dep"
done

# 2. The bare root, made once. One run at a time builds it.
mkdir -p "$cache"
exec 9>"$cache/.lock"
flock 9
base=$cache/$suite-minbase
if [ ! -f "$base/.vandrel-ready" ]; then
  echo "making the $suite root in $base (first run only)"
  rm -rf "$base"
  if ! debootstrap --variant=minbase "$suite" "$base" "$mirror" >"$work/debootstrap.log" 2>&1; then
    grep -qiE "failed getting release|couldn't download|failed to download|unable to|resolve|connect" "$work/debootstrap.log" \
      && { tail -n 5 "$work/debootstrap.log"; rm -rf "$base"; skip "debootstrap cannot reach $mirror"; }
    rm -rf "$base"
    fail "debootstrap failed"
  fi
  # The same suites as this machine, and no services started in the root.
  {
    echo "deb $mirror $suite main"
    echo "deb $mirror $suite-updates main"
  } >"$base/etc/apt/sources.list"
  printf '#!/bin/sh\nexit 101\n' >"$base/usr/sbin/policy-rc.d"
  chmod +x "$base/usr/sbin/policy-rc.d"
  cp /etc/resolv.conf "$base/etc/resolv.conf"
  chroot "$base" apt-get update -q >"$work/base-apt.log" 2>&1 || fail "apt-get update in the root failed"
  DEBIAN_FRONTEND=noninteractive chroot "$base" apt-get install -y -q --no-install-recommends \
    xvfb xdotool >>"$work/base-apt.log" 2>&1 || fail "installing xvfb and xdotool in the root failed"
  chroot "$base" apt-get clean
  touch "$base/.vandrel-ready"
  echo "root made ($(elapsed))"
fi
mkdir -p "$cache/archives/partial"
flock -u 9

# 3. A throwaway root over the cached one, with the kernel's file systems.
root=$work/root
mkdir -p "$work/upper" "$work/overlay-work" "$root"
mount_at "$root" -t overlay overlay \
  -o "lowerdir=$base,upperdir=$work/upper,workdir=$work/overlay-work" \
  || skip "overlay mounts are not allowed here"
mount_at "$root/proc" -t proc proc || fail "cannot mount /proc in the root"
mount_at "$root/sys" -t sysfs sysfs || fail "cannot mount /sys in the root"
mount_at "$root/dev" --bind /dev || fail "cannot bind /dev in the root"
mount_at "$root/dev/pts" --bind /dev/pts || fail "cannot bind /dev/pts in the root"
mount_at "$root/var/cache/apt/archives" --bind "$cache/archives" || fail "cannot bind the package cache"
cp /etc/resolv.conf "$root/etc/resolv.conf"
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
  LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"; }

# 4. Install with apt-get, as a user would; recommendations left out, so the
#    package's own dependencies must be enough to run it.
cp "$deb" "$root/tmp/"
in_root apt-get update -q >"$work/apt.log" 2>&1 || skip "apt-get update in the root cannot reach $mirror"
in_root apt-get install -y -q --no-install-recommends "/tmp/$(basename "$deb")" >>"$work/apt.log" 2>&1 \
  || fail "apt-get install of the package failed"
for f in /usr/bin/vandrel /usr/share/applications/vandrel.desktop \
  /usr/share/icons/hicolor/48x48/apps/vandrel.png /usr/share/mime/packages/vandrel.xml; do
  [ -e "$root$f" ] || fail "$f is not installed"
done
echo "installed ($(elapsed))"

# 5. Start it under Xvfb in the root and see its window.
exec 8>"$work/displayfd"
in_root Xvfb -displayfd 1 -screen 0 800x600x24 -nolisten tcp >&8 2>"$work/xvfb.log" &
pids+=($!)
display=""
for _ in $(seq 200); do
  display=$(tr -dc 0-9 <"$work/displayfd")
  [ -n "$display" ] && break
  sleep 0.05
done
[ -n "$display" ] || fail "Xvfb did not start in the root"
x() { in_root DISPLAY=":$display" "$@"; }

x VANDREL_TRACE=1 QT_QPA_PLATFORM=xcb vandrel >"$work/trace" 2>"$work/stderr" &
game_pid=$!
pids+=("$game_pid")
timeout 30 chroot "$root" /usr/bin/env DISPLAY=":$display" \
  xdotool search --sync --onlyvisible --name '^Vandrel$' >"$work/window" 2>/dev/null \
  || fail "no visible window named Vandrel within 30 s"
for _ in $(seq 200); do
  grep -qx shown "$work/trace" && break
  kill -0 "$game_pid" 2>/dev/null || fail "the program ended early"
  sleep 0.05
done
grep -qx shown "$work/trace" || fail "the trace never said 'shown'"
echo "window up in the root ($(elapsed))"

# 6. Leave with "Bye!" (side panel at x 618 on an 800 x 600 screen).
x xdotool mousemove 706 552 sleep 0.1 click 1
for _ in $(seq 200); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.05
done
kill -0 "$game_pid" 2>/dev/null && fail "the program did not end after Bye!"
rc=0
wait "$game_pid" || rc=$?
[ "$rc" -eq 0 ] || fail "the program ended with status $rc"
if [ -s "$work/stderr" ]; then
  echo "--- what the program said on standard error"
  head -n 20 "$work/stderr"
fi

# 7. Remove it again.
in_root apt-get remove -y -q vandrel >>"$work/apt.log" 2>&1 || fail "apt-get remove failed"
[ -e "$root/usr/bin/vandrel" ] && fail "/usr/bin/vandrel is still there after removal"
[ -e "$root/usr/share/applications/vandrel.desktop" ] && fail "the desktop entry is still there after removal"
in_root dpkg-query -W -f='${Status}\n' vandrel 2>/dev/null | grep -q "install ok installed" \
  && fail "dpkg still lists vandrel as installed"

echo "PASS ($(elapsed))"
