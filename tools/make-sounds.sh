#!/usr/bin/env bash
# Builds the sound generator and writes the six sounds into resources/sounds.
#   tools/make-sounds.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-sfx}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target vandrel-sfxgen -j2
mkdir -p "$root/resources/sounds"
"$build/tools/vandrel-sfxgen" "$root/resources/sounds"
ls -l "$root/resources/sounds"
