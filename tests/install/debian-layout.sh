#!/usr/bin/env bash
# Builds the game once more in a folder of its own with Debian's layout (the executable in games/,
# the music in share/games/veskar), then checks that installed tree and starts the installed game
# from another folder, as the default layout's tests do: it must find its music from there too.
# The folder is kept, so later runs rebuild only what changed.
# Usage: debian-layout.sh SOURCE_DIR LAYOUT_BUILD_DIR [CMAKE_ARGUMENT...]
set -euo pipefail
source="$1"
build="$2"
shift 2
here="$(cd "$(dirname "$0")" && pwd)"
bindir=games
gamedatadir=share/games/veskar

log="$build.log"
if ! {
  cmake -S "$source" -B "$build" -DBUILD_TESTING=OFF -DCMAKE_INSTALL_BINDIR="$bindir" \
    -DVESKAR_INSTALL_DATADIR="$gamedatadir" "$@" &&
    cmake --build "$build" -j 2 --target veskar
} >"$log" 2>&1; then
  echo "the build with Debian's layout failed; the end of $log:"
  tail -n 40 "$log"
  exit 1
fi
"$here/check-install.sh" "$build" "$bindir" "$gamedatadir" share share/man
"$here/start-installed.sh" "$build" "$bindir" "$gamedatadir"
