#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages that building and testing Veskar need and that this
# machine lacks. Does nothing when everything is there.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libgtest-dev libgmock-dev
  libsdl2-dev
  # The desktop's own checkers of the installed entry and metainfo.
  desktop-file-utils appstream
  # Established module players, used only as black-box references by tests and benchmarks.
  libxmp-dev libopenmpt-dev
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
