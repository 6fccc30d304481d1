#!/usr/bin/env bash
# Cross-builds the game for Windows: installs Debian's mingw-w64 compilers if missing (apt-get, as
# root or through sudo) and writes build-windows/veskar.exe with VESKAR.DAT beside it.
# VESKAR_WERROR=ON treats compiler warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64-x86-64 cmake make)
missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake --no-warn-unused-cli -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DVESKAR_WERROR="${VESKAR_WERROR:-OFF}" >/dev/null
cmake --build build-windows -j "$(nproc)" --target veskar veskar-apiprobe
echo "Built build-windows/veskar.exe (with build-windows/VESKAR.DAT)"
