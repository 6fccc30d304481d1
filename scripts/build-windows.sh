#!/usr/bin/env bash
# Cross-builds the game for Windows: installs Debian's mingw-w64 compilers if missing (apt-get, as
# root or through sudo) and writes build-windows/veskar.exe with VESKAR.DAT beside it.
# VESKAR_WERROR=ON treats compiler warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/lib/common.sh
ensure_packages g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64-x86-64 cmake make

cmake --no-warn-unused-cli -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DVESKAR_WERROR="${VESKAR_WERROR:-OFF}" >/dev/null
cmake --build build-windows -j "$(nproc)" --target veskar veskar-apiprobe
echo "Built build-windows/veskar.exe (with build-windows/VESKAR.DAT)"
