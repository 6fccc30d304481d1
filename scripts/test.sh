#!/usr/bin/env bash
# Builds everything and runs all tests. VESKAR_SANITIZE=address (or thread) builds a sanitizer
# variant in its own folder; VESKAR_WERROR=ON treats compiler warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
sanitize="${VESKAR_SANITIZE:-}"
build="build${sanitize:+-$sanitize}"
cmake -S . -B "$build" -DVESKAR_SANITIZE="$sanitize" -DVESKAR_WERROR="${VESKAR_WERROR:-OFF}"
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
