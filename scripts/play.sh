#!/usr/bin/env bash
# Installs what is missing, builds Vandrel and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target vandrel
exec build/default/app/vandrel "$@"
