#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages that building and testing Veskar need and that this
# machine lacks. Does nothing when everything is there.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

packages=(
  g++ cmake make pkg-config
  libgtest-dev libgmock-dev
  libsdl2-dev libx11-dev
  # A private X server and synthetic keys, for the tests of the real game in a real window.
  xvfb xdotool
  # The desktop's own checkers of the installed entry and metainfo.
  desktop-file-utils appstream
  # Established module players, used only as black-box references by tests and benchmarks.
  libxmp-dev libopenmpt-dev
)

ensure_packages "${packages[@]}"
