#!/usr/bin/env bash
# Builds the game and starts it from the folder that holds VESKAR.INI and VESKAR.DAT, passing on
# its arguments (for example --scale 2).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build
cmake --build build -j "$(nproc)" --target veskar
cd build
exec ./veskar "$@"
