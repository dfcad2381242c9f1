#!/usr/bin/env bash
# Rebuilds the artwork generator and redraws every picture in resources/art.
# Usage: tools/make-art.sh [BUILD_DIR]   (default: build-art beside the sources)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build-art}"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target vandrel-artgen -j2

mkdir -p "$root/resources/art"
QT_QPA_PLATFORM=offscreen "$build/tools/vandrel-artgen" "$root/resources/art"
echo "pictures written to $root/resources/art"
