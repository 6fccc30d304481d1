#!/usr/bin/env bash
# The real game on a private X server, as a player or an attacker meets it: ended by each signal, by
# a dropped display connection and by a server that goes away; started without a display, with a
# FIFO or a huge file in place of its files, and with a scale too large for the screen. Every end
# must leave a valid VESKAR.INI; nothing may hang.
# Usage: real-game-endings.sh BUILD_DIR   (exit 77: no Xvfb or xdotool on this machine)
set -euo pipefail
build="$(cd "$1" && pwd)"
game="$build/veskar"
inicheck="$build/tools/inicheck/veskar-inicheck"
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
source "$(dirname "$0")/../../scripts/lib/common.sh"
work="$(mktemp -d)"
game_pid=""
trap stop_game_and_display EXIT
fail() {
  echo "FAILED: $1"
  [ -f "$work/run/stderr.log" ] && sed 's/^/  stderr: /' "$work/run/stderr.log"
  exit 1
}
start_xvfb "$work" 1024x768x24
export SDL_AUDIODRIVER=dummy
# Under AddressSanitizer: leaks of the system's libraries are theirs (see system-leaks.supp).
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")" && pwd)/system-leaks.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

# A fresh folder for the next run, empty.
fresh_folder() {
  rm -rf "$work/run"
  mkdir "$work/run"
}

# Starts the game in the run folder and waits at most 10 s for its window; $1 names the run.
launch() {
  local what="$1"
  shift
  (cd "$work/run" && exec "$game" "$@" >/dev/null 2>"$work/run/stderr.log" </dev/null) &
  game_pid=$!
  window=""
  for _ in $(seq 100); do
    window="$(xdotool search --pid "$game_pid" 2>/dev/null | head -n 1 || true)"
    [ -n "$window" ] && break
    kill -0 "$game_pid" 2>/dev/null || fail "$what: the game ended before its window showed"
    sleep 0.1
  done
  [ -n "$window" ] || fail "$what: no window within 10 s"
  sleep 0.3
}

# Starts the game in a fresh folder holding the music (unless told otherwise), waits for its window.
start_game() {
  fresh_folder
  [ "${1:-}" = "--no-music" ] && shift || cp "$build/VESKAR.DAT" "$work/run/"
  launch "the game $*" "$@"
}

# Waits for the game to end (at most 10 s) and checks its status and its settings file.
expect_end() {
  local wanted="$1" what="$2" status=0
  for _ in $(seq 100); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$game_pid" 2>/dev/null && fail "$what: still running after 10 s"
  wait "$game_pid" || status=$?
  game_pid=""
  [ "$status" -eq "$wanted" ] || fail "$what: status $status, not $wanted"
  (cd "$work/run" && "$inicheck" >/dev/null) || fail "$what: no valid VESKAR.INI"
  echo "ok: $what"
}

for signal in TERM INT HUP; do
  start_game
  xdotool key --window "$window" Return  # a one-player game runs when the signal comes
  sleep 0.3
  kill "-$signal" "$game_pid"
  expect_end 0 "SIG$signal during a game"
done

start_game
xdotool windowkill "$window"
expect_end 1 "the display connection dropped"
grep -q "connection to the display was lost" "$work/run/stderr.log" || fail "the lost display was not named"

start_game --no-music
kill -TERM "$game_pid"
expect_end 0 "a game without music"
grep -q "VESKAR.DAT is missing" "$work/run/stderr.log" || fail "the missing music was not named"

for name in VESKAR.DAT VESKAR.INI; do
  fresh_folder
  mkfifo "$work/run/$name"
  [ "$name" = VESKAR.INI ] && cp "$build/VESKAR.DAT" "$work/run/"
  launch "a FIFO named $name"
  kill -TERM "$game_pid"
  status=0
  wait "$game_pid" || status=$?
  game_pid=""
  [ "$status" -eq 0 ] || fail "a FIFO named $name: status $status"
  [ -p "$work/run/$name" ] || fail "the FIFO named $name was replaced"
  grep -q "not a regular file" "$work/run/stderr.log" || fail "the FIFO named $name was not named"
  echo "ok: a FIFO named $name"
done

fresh_folder
truncate -s 1G "$work/run/VESKAR.DAT"
started=$SECONDS
launch "a 1 GiB VESKAR.DAT"
kill -TERM "$game_pid"
expect_end 0 "a 1 GiB VESKAR.DAT (window after $((SECONDS - started)) s)"
grep -q "VESKAR.DAT is too large" "$work/run/stderr.log" || fail "the huge music was not named"

start_game --scale 8
eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=[0-9]+$')"
width=$WIDTH
height=$HEIGHT
[ "$width" -le 1024 ] && [ "$height" -le 768 ] || fail "--scale 8 made a window of $width x $height"
grep -q "does not fit the screen" "$work/run/stderr.log" || fail "the lowered scale was not named"
kill -TERM "$game_pid"
expect_end 0 "--scale 8 on a 1024 x 768 screen ($width x $height)"

start_game
kill -TERM "$xvfb_pid"
wait "$xvfb_pid" 2>/dev/null || true
xvfb_pid=""
expect_end 1 "the display server gone"

fresh_folder
status=0
(cd "$work/run" && env -u DISPLAY -u WAYLAND_DISPLAY "$game" >/dev/null 2>"$work/run/stderr.log" </dev/null) ||
  status=$?
[ "$status" -eq 1 ] || fail "without a display: status $status, not 1"
[ "$(wc -l <"$work/run/stderr.log")" -ge 1 ] || fail "without a display: nothing said"
echo "ok: no display"
