#!/usr/bin/env bash
# Fuzzes the music player: installs clang and its sanitizer runtimes if missing, builds the libFuzzer
# target in build-fuzz/, writes the seed corpus (the project's feature modules and VESKAR.DAT) and
# runs one worker for SECONDS seconds (default 60). New inputs collect in build-fuzz/corpus; a finding
# is written to build-fuzz/findings/ and makes the script fail.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

source scripts/lib/common.sh
ensure_packages clang libclang-rt-14-dev cmake make

build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DVESKAR_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$(nproc)" --target module_fuzzer make_fuzz_seeds
"$build/tests/audio/player/fuzz/make_fuzz_seeds" "$build/seeds" resources/music/VESKAR.DAT
mkdir -p "$build/corpus" "$build/findings"
# Inputs up to 32 KiB: headers, patterns and the first instruments of the music; a run that takes
# more than 10 s counts as a hang.
"$build/tests/audio/player/fuzz/module_fuzzer" "$build/corpus" "$build/seeds" \
  -max_total_time="$seconds" -max_len=32768 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$build/findings/" -print_final_stats=1
