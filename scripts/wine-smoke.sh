#!/usr/bin/env bash
# The Windows build's smoke test: cross-builds veskar.exe, runs it under wine on a private X server
# and plays it by keys as a player would, beside the Linux build on the same display.
#   0. veskar-apiprobe, built for both, writes the same transcript of the desktop calls the game
#      relies on under wine as on Veskar's layer.
#   1. A fresh folder and a sound device that writes to files: the "VESKAR" window shows the main
#      menu exactly as the Linux build shows it, moves the highlight as the Linux build does,
#      starts and leaves a one-player game, names player 1 through the name dialog, plays the
#      music through wine's wave output, and ends with status 0 through "Exit"; the VESKAR.INI it
#      wrote is valid for the Linux build and holds the name.
#   2. No sound device at all; a VESKAR.INI written by the Linux build: the Windows build takes it
#      as valid (the file it writes back at Escape holds the Linux build's name and the sound
#      switch turned off in the options).
#   3. A start folder the game cannot write (as under Program Files): the settings go to
#      %APPDATA%\Veskar\VESKAR.INI, and the next run reads them from there.
# Installs what it needs with apt-get. Leaves its pictures in build-windows/smoke/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

source scripts/lib/common.sh
ensure_packages wine64 xvfb xdotool x11-apps imagemagick \
  g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64-x86-64
VESKAR_WERROR=ON scripts/build-windows.sh
scripts/install-deps.sh
jobs=$(nproc)
cmake -S . -B build >/dev/null
cmake --build build -j "$jobs" --target veskar veskar-inicheck veskar-apiprobe

pictures=$root/build-windows/smoke
rm -rf "$pictures"
mkdir -p "$pictures"
work=$(mktemp -d)
xvfb_pid=""
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ -n "${WINEPREFIX:-}" ] && "$wineserver" -k 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "wine smoke test: $*" >&2
  exit 1
}

start_xvfb "$work" 1024x768x24 || fail "Xvfb did not start"

export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
timeout 180 "$wine" wineboot -i >"$work/wineboot.log" 2>&1 || fail "wineboot failed"
timeout 60 "$wineserver" -w 2>/dev/null || true

# A sound device for wine without a sound card: ALSA's default device writes what each stream
# (the music's and the sound effects') is given to a file of its own.
mkdir -p "$work/sound/streams" "$work/no-sound"
cat >"$work/sound/.asoundrc" <<ALSA
pcm.!default { type file slave.pcm "null" file "|cat >$work/sound/streams/\$\$.raw" format "raw" }
ctl.!default { type hw card 0 }
ALSA

# The window titled $1 of process $2, waited for up to 60 s.
find_window() {
  local id
  for _ in $(seq 120); do
    kill -0 "$2" 2>/dev/null || fail "the program ended before its window '$1' appeared"
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return
    fi
    sleep 0.5
  done
  fail "no window '$1' within 60 s"
}

# Saves the client area of window $1 as $pictures/$2.png once it has settled.
snap() {
  sleep 0.6
  xwd -silent -id "$1" | convert xwd:- "$pictures/$2.png"
}

# Presses keys in window $1, slowly enough for every one to be a separate press.
keys() {
  local window=$1
  shift
  timeout 10 xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
  xdotool key --delay 120 "$@"
}

# Whether pictures $1 and $2 hold the same pixels.
same() {
  local differing
  differing=$(compare -metric AE "$pictures/$1.png" "$pictures/$2.png" null: 2>&1 || true)
  [ "$differing" = "0" ]
}

# Waits up to 30 s for process $1 to end and checks that it ended with status 0.
expect_exit() {
  for _ in $(seq 60); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.5
  done
  kill -0 "$1" 2>/dev/null && fail "$2 still runs 30 s after Exit"
  local status=0
  wait "$1" || status=$?
  [ "$status" -eq 0 ] || fail "$2 ended with status $status"
}

# The desktop calls, on the system (wine) and on Veskar's layer.
mkdir "$work/probe-windows" "$work/probe-linux"
probe=$root/build-windows/tools/apiprobe/veskar-apiprobe.exe
(cd "$work/probe-windows" && HOME="$work/sound" timeout 120 "$wine" "$probe" 2>"$work/probe.log") ||
  fail "veskar-apiprobe.exe failed"
probe=$root/build/tools/apiprobe/veskar-apiprobe
(cd "$work/probe-linux" && SDL_AUDIODRIVER=dummy timeout 120 "$probe") ||
  fail "veskar-apiprobe failed"
cp "$work/probe-windows/apiprobe.txt" "$pictures/apiprobe-windows.txt"
cp "$work/probe-linux/apiprobe.txt" "$pictures/apiprobe-linux.txt"
diff "$pictures/apiprobe-windows.txt" "$pictures/apiprobe-linux.txt" ||
  fail "the layer's transcript (right) differs from the system's (left)"

# The Linux build on the same display: the reference pictures of the main menu.
mkdir "$work/linux"
cp build/VESKAR.DAT "$work/linux/"
(cd "$work/linux" && exec env SDL_AUDIODRIVER=dummy "$root/build/veskar") &
linux=$!
window=$(find_window VESKAR "$linux")
snap "$window" linux-menu
keys "$window" Down
snap "$window" linux-menu-down
keys "$window" Up Escape
expect_exit "$linux" "the Linux build"

# Round 1: veskar.exe in a fresh folder.
started=$SECONDS
rm -f "$work/sound/streams/"*
mkdir "$work/windows"
cp build-windows/veskar.exe build-windows/VESKAR.DAT "$work/windows/"
(cd "$work/windows" && HOME="$work/sound" exec "$wine" veskar.exe 2>"$work/round1.log") &
game=$!
window=$(find_window VESKAR "$game")
echo "wine smoke test: window 'VESKAR' after $((SECONDS - started)) s"
snap "$window" menu
same menu linux-menu || fail "the main menu differs from the Linux build's (see $pictures)"
keys "$window" Down
snap "$window" menu-down
same menu-down linux-menu-down || fail "Down moved the highlight differently from the Linux build"
keys "$window" Up Return
snap "$window" game
same game menu && fail "Enter on '1 Player Game' started no game"
keys "$window" Escape
snap "$window" after-game
same after-game menu || fail "Escape did not leave the game for the main menu"
# Options, "Player 1 Name": the name dialog from the dialog resource.
keys "$window" Down Down Return Down Return
dialog=$(find_window "Player 1 Name" "$game")
snap "$dialog" name-dialog
xdotool type --delay 120 "Wine 1"
keys "$dialog" Return
sleep 0.5
keys "$window" Escape Down Down Down Down Down Return
expect_exit "$game" "veskar.exe"
echo "wine smoke test: round 1 took $((SECONDS - started)) s"

# The music went through wine's wave output: one stream of several seconds, mostly not silence.
music=no
for stream in "$work/sound/streams/"*.raw; do
  [ -e "$stream" ] || continue
  played=$(stat -c %s "$stream")
  sounding=$(tr -d '\000' <"$stream" | wc -c)
  if [ "$played" -gt 500000 ] && [ "$sounding" -gt $((played / 2)) ]; then
    echo "wine smoke test: the music's stream: $played bytes, $sounding of them not zero"
    music=yes
  fi
done
[ "$music" = yes ] || fail "no music reached the sound device"

[ "$(stat -c %s "$work/windows/VESKAR.INI")" -eq 524 ] || fail "VESKAR.INI is not 524 bytes"
(cd "$work/windows" && "$root/build/tools/inicheck/veskar-inicheck") >"$work/round1.txt" ||
  fail "the Linux build reads the VESKAR.INI of veskar.exe as invalid"
grep -qx "player 1: Wine 1" "$work/round1.txt" || fail "the name dialog's name is not in VESKAR.INI"

# Round 2: a VESKAR.INI from the Linux build, left as it was by the Windows build.
mkdir "$work/from-linux"
cp build-windows/veskar.exe build-windows/VESKAR.DAT "$work/from-linux/"
(cd "$work/from-linux" && "$root/build/tools/inicheck/veskar-inicheck" --name "From Linux")
(cd "$work/from-linux" && HOME="$work/no-sound" exec "$wine" veskar.exe 2>"$work/round2.log") &
game=$!
window=$(find_window VESKAR "$game")
snap "$window" menu-again
same menu-again menu || fail "without a sound device the main menu differs"
# Options, the sound switch off, back, and Escape ends the program.
keys "$window" Down Down Return Down Down Down Down Down Return Escape
sleep 0.5
keys "$window" Escape
expect_exit "$game" "veskar.exe"
(cd "$work/from-linux" && "$root/build/tools/inicheck/veskar-inicheck") >"$work/round2.txt" ||
  fail "the VESKAR.INI written back by veskar.exe is invalid"
grep -qx "player 1: From Linux" "$work/round2.txt" ||
  fail "veskar.exe did not take the Linux build's VESKAR.INI as valid"
grep -q "^sound: 0 " "$work/round2.txt" || fail "veskar.exe did not replace VESKAR.INI"

# Round 3: a start folder nobody may write into, not even root (immutable where the file system
# allows it): the settings live in %APPDATA%\Veskar.
mkdir "$work/read-only"
cp build-windows/veskar.exe build-windows/VESKAR.DAT "$work/read-only/"
if chattr +i "$work/read-only" 2>/dev/null || { [ "$(id -u)" -ne 0 ] && chmod 0555 "$work/read-only"; }; then
  for round in 1 2; do
    (cd "$work/read-only" && HOME="$work/no-sound" exec "$wine" veskar.exe 2>"$work/round3-$round.log") &
    game=$!
    window=$(find_window VESKAR "$game")
    # Options, the sound switch flipped, back, and Escape ends the program.
    keys "$window" Down Down Return Down Down Down Down Down Return Escape
    sleep 0.5
    keys "$window" Escape
    expect_exit "$game" "veskar.exe in a read-only folder"
  done
  chattr -i "$work/read-only" 2>/dev/null || chmod 0755 "$work/read-only"
  [ ! -e "$work/read-only/VESKAR.INI" ] || fail "VESKAR.INI appeared in the read-only folder"
  roaming=$(find "$WINEPREFIX/drive_c/users" -path '*/Veskar/VESKAR.INI' | head -n 1)
  [ -n "$roaming" ] || fail "no VESKAR.INI under %APPDATA%\\Veskar"
  cp "$roaming" "$work/read-only/VESKAR.INI"
  (cd "$work/read-only" && "$root/build/tools/inicheck/veskar-inicheck") >"$work/round3.txt" ||
    fail "the VESKAR.INI under %APPDATA% is invalid"
  # Off in the first run, on again in the second: the second run read the first one's file.
  grep -q "^sound: 1 " "$work/round3.txt" || fail "the second run did not read %APPDATA%\\Veskar\\VESKAR.INI"
  echo "wine smoke test: a read-only start folder keeps the settings in %APPDATA%\\Veskar"
else
  echo "wine smoke test: no read-only folder can be made here; %APPDATA% not tried"
fi

echo "wine smoke test: passed"
