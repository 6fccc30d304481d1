#!/usr/bin/env bash
# Installs the build into a fresh prefix and starts the installed game from another folder, the way
# a desktop menu does: SDL's dummy video driver, its disk audio driver capturing what plays, a fresh
# home folder. The game must make its data folder there, play the installed music, keep VESKAR.INI
# in that folder and nothing in the folder it was started from; and refuse an unknown option.
# Usage: start-installed.sh BUILD_DIR BINDIR GAME_DATADIR
#   the folders of the executable and of the music, relative to the prefix (GNU's: bin share/veskar)
set -euo pipefail
build="$1"
bindir="$2"
gamedatadir="$3"
work="$(mktemp -d)"
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "$1"
  [ -f "$work/stderr.log" ] && sed 's/^/  stderr: /' "$work/stderr.log"
  exit 1
}

cmake --install "$build" --prefix "$work/prefix" >/dev/null
mkdir "$work/home" "$work/elsewhere"
cd "$work/elsewhere"

status=0
"$work/prefix/$bindir/veskar" --no-such-option 2>"$work/error.txt" || status=$?
[ "$status" -eq 2 ] || fail "an unknown option ended with status $status, not 2"
[ "$(wc -l <"$work/error.txt")" -eq 1 ] && grep -q -- "'--no-such-option'.*--help" "$work/error.txt" ||
  fail "an unknown option's message: $(cat "$work/error.txt")"

env -u XDG_DATA_HOME HOME="$work/home" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=disk \
  SDL_DISKAUDIOFILE="$work/audio.raw" "$work/prefix/$bindir/veskar" >/dev/null 2>"$work/stderr.log" </dev/null &
game_pid=$!
# The disk driver writes silence from the moment the device opens; music is the first sound.
for _ in $(seq 600); do
  kill -0 "$game_pid" 2>/dev/null || break
  [ -s "$work/audio.raw" ] && [ -n "$(head -c 2000000 "$work/audio.raw" | tr -d '\0' | head -c 1)" ] && break
  sleep 0.1
done
kill -0 "$game_pid" 2>/dev/null || fail "the installed game ended by itself"
kill -TERM "$game_pid"  # SDL turns it into a close request: the game ends as from its close button
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || fail "the installed game ended with status $status"

data="$work/home/.local/share/veskar"
[ -n "$(tr -d '\0' <"$work/audio.raw" | head -c 1)" ] || fail "no music played"
[ "$(stat -c %s "$data/VESKAR.INI" 2>/dev/null)" = 524 ] || fail "no VESKAR.INI in $data"
[ "$(readlink "$data/VESKAR.DAT")" = "$(realpath "$work/prefix/$gamedatadir/VESKAR.DAT")" ] ||
  fail "VESKAR.DAT in $data does not lead to the installed music"
[ -z "$(ls -A "$work/elsewhere")" ] || fail "files left in the folder it started from: $(ls -A "$work/elsewhere")"
echo "installed game ($bindir/veskar, $gamedatadir) started from another folder: data folder made, music played, settings kept"
