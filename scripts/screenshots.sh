#!/usr/bin/env bash
# Takes the README's screenshots from the real game in a private X server (Xvfb): the main menu, a
# one-player game and a two-player game, each after a few seconds of scripted play, as PNG files.
#
# Usage: scripts/screenshots.sh [--program FILE] [OUTDIR]
#   --program FILE  photograph FILE instead of building and photographing build/veskar
#   OUTDIR          where the pictures go (default docs/screenshots)
# It installs Xvfb, xdotool, xwd and ImageMagick when missing. The game runs in a temporary folder
# with the music and the default settings, silent (SDL's disk audio driver writing to /dev/null).
# The columns come from the game's own random start, so every run shows other jewels.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)

program=""
out="docs/screenshots"
while [ $# -gt 0 ]; do
  case "$1" in
    --program) program="${2:?--program needs a file}"; shift 2 ;;
    -*) echo "usage: scripts/screenshots.sh [--program FILE] [OUTDIR]" >&2; exit 2 ;;
    *) out="$1"; shift ;;
  esac
done

# ---- tools and build ---------------------------------------------------------------------------
source scripts/lib/common.sh
ensure_packages xvfb xdotool x11-apps imagemagick
if [ -z "$program" ]; then
  scripts/install-deps.sh
  cmake -S . -B build >/dev/null
  cmake --build build -j "$(nproc)" --target veskar >/dev/null
  program="$top/build/veskar"
fi
program=$(realpath "$program")
[ -x "$program" ] || { echo "screenshots: not a program: $program" >&2; exit 2; }
mkdir -p "$out"
out=$(realpath "$out")

# ---- the display and the game ------------------------------------------------------------------
work=$(mktemp -d)
xvfb_pid=""
game_pid=""
trap stop_game_and_display EXIT

start_xvfb "$work" 640x480x24

mkdir "$work/game"
cp "$(dirname "$program")/VESKAR.DAT" "$work/game/" 2>/dev/null || true
(
  cd "$work/game"
  export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null
  exec "$program"
) >/dev/null 2>"$work/stderr.log" </dev/null &
game_pid=$!

window=""
for _ in $(seq 200); do
  window=$(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.05
done
if [ -z "$window" ]; then
  echo "screenshots: the game showed no window; its stderr:" >&2
  cat "$work/stderr.log" >&2
  exit 1
fi
# Without a window manager SDL focuses its window itself; make sure, since XTEST keys go to the focus.
[ "$(xdotool getwindowfocus 2>/dev/null || true)" = "$window" ] || xdotool windowfocus --sync "$window" || true

# ---- the scenes --------------------------------------------------------------------------------
shot() {
  sleep 0.2  # a frame or two after the last key
  xwd -id "$window" -silent | convert xwd:- "png:$out/$1.png"
  echo "$out/$1.png"
}

# Plays `rounds` columns: each round the next of the given keys move and turn the new column, then
# the fast keys drop it all the way (a column falls the well's height in about two seconds).
play() {
  local rounds="$1" fast="$2"
  shift 2
  local moves=("$@")
  for round in $(seq "$rounds"); do
    sleep 0.6  # the new column enters the well
    [ -n "${moves[round % ${#moves[@]}]}" ] && xdotool key ${moves[round % ${#moves[@]}]}
    xdotool keydown $fast
    sleep 2
    xdotool keyup $fast
  done
}

sleep 1
shot main-menu

xdotool key Return  # 1 Player Game
sleep 0.5
# Player 1: O left, P right, A fast, X rotate.
play 7 a "o o" "p" "x o" "p p" "x" "o" "x p p"
shot one-player
xdotool key Escape  # leaves the game for a new main menu
sleep 0.5
xdotool key Down Return  # 2 Players Game
sleep 0.5
# Player 2 plays with the cursor keys: Left, Right, Down (fast), Up (rotate).
play 6 "a Down" "o o Left" "p Right Right" "x Up o" "p p Left Left" "x x Up Right" "o o Up Up"
shot two-players

kill -TERM "$game_pid"  # a close request: the game ends as from its close button
wait "$game_pid" || true
game_pid=""
