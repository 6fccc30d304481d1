#!/usr/bin/env bash
# Measures the real game in a private X server (Xvfb): the share of one core its process uses while
# the main menu idles, while a one-player game runs with scripted keys (Fast held, so the picture
# changes on every tick), and while the main menu idles again after the game; its peak resident
# memory; and the time from its start to its first complete picture. For comparison it also prints
# what a bare program costs that does nothing but the game's two periodic waits (the 10 ms frame
# timer and the music thread's 5 ms poll): no figure of the game can go below that floor. SDL's
# audio thread alone, playing silence on the same driver, comes on top of it.
#
# Usage: scripts/cpu-share.sh [--seconds N] [--no-music] [--program FILE]
#   --seconds N     length of each measured phase (default 10)
#   --no-music      run without VESKAR.DAT: the audio device opens, no music thread runs
#   --program FILE  measure FILE instead of building and measuring build/veskar
# The game runs in a temporary folder with SDL_VIDEODRIVER=x11 and, unless the environment names
# others, SDL_AUDIODRIVER=disk and SDL_DISKAUDIOFILE=/dev/null (real-time paced, no sound card needed).
# CPU time is the sum over the process's threads of the scheduler's run time (/proc/PID/task/*/
# schedstat), or utime+stime where that is missing. The machine's load is printed beside each
# figure: other work on the machine makes every wake-up dearer.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)

seconds=10
music=1
program=""
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds="${2:?--seconds needs a number}"; shift 2 ;;
    --no-music) music=0; shift ;;
    --program) program="${2:?--program needs a file}"; shift 2 ;;
    *) echo "usage: scripts/cpu-share.sh [--seconds N] [--no-music] [--program FILE]" >&2; exit 2 ;;
  esac
done
[[ "$seconds" =~ ^[1-9][0-9]*$ ]] || { echo "cpu-share: --seconds takes a whole number above 0" >&2; exit 2; }

# ---- tools and build ---------------------------------------------------------------------------
source scripts/lib/common.sh
ensure_packages xvfb xdotool
if [ -z "$program" ]; then
  scripts/install-deps.sh
  cmake -S . -B build >/dev/null
  cmake --build build -j "$(nproc)" --target veskar wakeup_floor_benchmark >/dev/null
  program="$top/build/veskar"
fi
program=$(realpath "$program")
[ -x "$program" ] || { echo "cpu-share: not a program: $program" >&2; exit 2; }
floor="$top/build/tests/platform/wakeup_floor_benchmark"

# ---- helpers -----------------------------------------------------------------------------------
work=$(mktemp -d)
xvfb_pid=""
game_pid=""
trap stop_game_and_display EXIT

# CPU time of the game's process so far, in nanoseconds.
cpu_ns() {
  local total=0 task run
  if [ -r "/proc/$game_pid/schedstat" ]; then
    for task in /proc/"$game_pid"/task/*/schedstat; do
      read -r run _ <"$task" 2>/dev/null || continue
      total=$((total + run))
    done
  else
    local fields
    read -r -a fields < <(sed 's/.*) //' "/proc/$game_pid/stat")
    total=$(((fields[11] + fields[12]) * 1000000000 / $(getconf CLK_TCK)))
  fi
  echo "$total"
}

now_us() { echo "${EPOCHREALTIME/[.,]/}"; }

phase_start() { phase_cpu=$(cpu_ns); phase_time=$(now_us); }

# Prints the share of one core since phase_start, and the load average.
phase_end() {
  local cpu time
  cpu=$(cpu_ns)
  time=$(now_us)
  awk -v c=$((cpu - phase_cpu)) -v t=$((time - phase_time)) -v load="$(cut -d' ' -f1 /proc/loadavg)" \
    'BEGIN { printf "%5.2f %% of one core   (load %s)\n", c / 10 / t, load }'
}

key() { xdotool key "$@"; }

alive() { kill -0 "$game_pid" 2>/dev/null; }

# Stops the measurement, with the game's own words, when it ended before its time.
require_alive() {
  alive && return 0
  local status=0
  wait "$game_pid" || status=$?
  game_pid=""
  echo "cpu-share: the game ended early ($1), exit status $status; its stderr:" >&2
  cat "$work/stderr.log" >&2
  exit 1
}

# ---- the display and the game ------------------------------------------------------------------
start_xvfb "$work" 640x480x24

mkdir "$work/game"
[ "$music" -eq 1 ] && cp "$(dirname "$program")/VESKAR.DAT" "$work/game/"
(
  cd "$work/game"
  export SDL_VIDEODRIVER=x11 VESKAR_TRACE_STARTUP=1
  export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-disk}" SDL_DISKAUDIOFILE="${SDL_DISKAUDIOFILE:-/dev/null}"
  now_us >"$work/launched"
  exec "$program"
) >/dev/null 2>"$work/stderr.log" </dev/null &
game_pid=$!

# The game's startup trace says when its first picture was complete; a program without that trace
# (an older build) is measured all the same once its window shows.
trace=""
window=""
for tries in $(seq 400); do
  trace=$(grep -m 1 'startup trace' "$work/stderr.log" 2>/dev/null || true)
  [ -n "$trace" ] && break
  alive || break
  [ -z "$window" ] && window=$(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && [ "$tries" -gt 100 ] && break
  sleep 0.05
done
[ -z "$window" ] && window=$(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | head -n 1 || true)
if [ -z "$window" ]; then
  echo "cpu-share: the game showed no window; its stderr:" >&2
  cat "$work/stderr.log" >&2
  exit 1
fi
# Without a window manager SDL focuses its window itself; make sure, since XTEST keys go to the focus.
if [ -n "$window" ] && [ "$(xdotool getwindowfocus 2>/dev/null || true)" != "$window" ]; then
  xdotool windowfocus --sync "$window" || true
fi
sleep 1

# ---- the phases --------------------------------------------------------------------------------
phase_start
sleep "$seconds"
idle_before=$(phase_end)
require_alive "idling in the main menu"

key Return # the main menu's first item: a one-player game
sleep 0.5
phase_start
# Player 1's default keys: O left, P right, A fast, X rotate. Fast stays held (the column moves on
# every tick); every 0.6 s a rotation and a move, spreading the columns over the well.
moves=(o p "o o" "p p" "")
xdotool keydown a
end=$(($(now_us) + seconds * 1000000))
step=0
while [ "$(now_us)" -lt "$end" ] && alive; do
  key x
  [ -n "${moves[step % 5]}" ] && key ${moves[step % 5]}
  step=$((step + 1))
  sleep 0.6
done
xdotool keyup a
game=$(phase_end)
require_alive "during the game"

key Escape # ends the game, back to the main menu
sleep 1
phase_start
sleep "$seconds"
idle_after=$(phase_end)
require_alive "back in the main menu"

peak=$(awk '/^VmHWM:/ { printf "%.1f MB", $2 / 1024 }' "/proc/$game_pid/status")
key Escape # the main menu's Exit: the program ends
for _ in $(seq 100); do
  alive || break
  sleep 0.05
done
alive && echo "cpu-share: the game did not end on Escape" >&2

floor_line="(not built)"
# On the game's audio driver, so that SDL's audio thread alone compares with the game's.
[ -x "$floor" ] && floor_line=$(SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-disk}" \
  SDL_DISKAUDIOFILE="${SDL_DISKAUDIOFILE:-/dev/null}" "$floor" "$seconds" 2>/dev/null | tail -n 1)

# ---- report ------------------------------------------------------------------------------------
launched=$(cat "$work/launched")
audio="${SDL_AUDIODRIVER:-disk}"
echo "veskar on Xvfb (x11 video, $audio audio), music $([ "$music" -eq 1 ] && echo on || echo off), $seconds s per phase"
if [ -n "$trace" ]; then
  read -r opening picture < <(sed -E 's/.*opening at ([0-9.]+) s, first picture at ([0-9.]+) s.*/\1 \2/' <<<"$trace")
  awk -v l="$launched" -v o="$opening" -v p="$picture" 'BEGIN {
    printf "start to first picture:      %6.1f ms   (%.1f ms after the display connection began to open)\n",
           p * 1000 - l / 1000, (p - o) * 1000 }'
else
  echo "start to first picture:      unknown (the program prints no startup trace)"
fi
echo "main menu, idle:             $idle_before"
echo "one-player game, Fast held:  $game"
echo "main menu after the game:    $idle_after"
echo "peak resident memory:        $peak"
echo "floor of the periodic waits: $floor_line"
