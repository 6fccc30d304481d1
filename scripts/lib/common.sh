# Shell helpers shared by the scripts; sourced, never run.

# Installs, with apt-get (as root or through sudo), those of the named Debian packages that this
# machine lacks. Does nothing when all are there.
ensure_packages() {
  local missing=() package sudo=""
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

# Starts a private X server on the first free display with a screen of SIZE (WxHxDEPTH), its log and
# display number kept in FOLDER. Sets xvfb_pid and exports DISPLAY; fails after 10 s without it.
start_xvfb() {
  local folder="$1" size="$2"
  Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp -noreset 3>"$folder/display" >"$folder/xvfb.log" 2>&1 </dev/null &
  xvfb_pid=$!
  for _ in $(seq 500); do
    [ -s "$folder/display" ] && break
    sleep 0.02
  done
  if [ ! -s "$folder/display" ]; then
    echo "Xvfb did not start; its log:" >&2
    cat "$folder/xvfb.log" >&2
    return 1
  fi
  export DISPLAY=":$(head -n 1 "$folder/display")"
  unset WAYLAND_DISPLAY
}

# An EXIT trap for the scripts that run the game on a private X server: ends the game (game_pid) if
# it still runs, TERM first, then the server (xvfb_pid), and removes the work folder (work).
stop_game_and_display() {
  if [ -n "${game_pid:-}" ] && kill -0 "$game_pid" 2>/dev/null; then
    kill -TERM "$game_pid" 2>/dev/null || true
    sleep 1
    kill -KILL "$game_pid" 2>/dev/null || true
  fi
  [ -n "${xvfb_pid:-}" ] && kill -TERM "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  if [ -n "${work:-}" ]; then rm -rf "$work"; fi
}
