#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks the tree: every file in its place, the
# executable runnable by all, the data readable by all, and nothing else.
# Usage: check-install.sh BUILD_DIR BINDIR GAME_DATADIR DATADIR MANDIR
#   the folders of the build's layout, relative to the prefix (GNU's: bin share/veskar share share/man)
set -euo pipefail
build="$1"
bindir="$2"
gamedatadir="$3"
datadir="$4"
mandir="$5"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
  "$bindir/veskar 755"
  "$gamedatadir/VESKAR.DAT 644"
  "$datadir/applications/org.veskar.Veskar.desktop 644"
  "$datadir/metainfo/org.veskar.Veskar.metainfo.xml 644"
  "$mandir/man6/veskar.6 644"
)
for size in 16 24 32 48 64 128 256; do
  expected+=("$datadir/icons/hicolor/${size}x${size}/apps/veskar.png 644")
done

status=0
for entry in "${expected[@]}"; do
  path="${entry% *}"
  mode="${entry#* }"
  if [ ! -f "$prefix/$path" ]; then
    echo "missing: $path"
    status=1
  elif [ "$(stat -c %a "$prefix/$path")" != "$mode" ]; then
    echo "mode of $path is $(stat -c %a "$prefix/$path"), not $mode"
    status=1
  fi
done
found=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)
wanted=$(for entry in "${expected[@]}"; do echo "${entry% *}"; done | sort)
if [ "$found" != "$wanted" ]; then
  echo "unexpected files:"
  comm -23 <(echo "$found") <(echo "$wanted")
  status=1
fi
exit $status
