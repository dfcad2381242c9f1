#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the whole
# suite in the normal build, then once more under AddressSanitizer and
# UndefinedBehaviorSanitizer; last, the start-up, memory and idle figures of
# the real program (failing when it keeps the processor busy while it waits).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

tools/measure.sh build/default/app/vandrel 5
