#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix, with an X display and a
# PulseAudio null sink as the sound card.
#   winerun.sh --up          starts Xvfb, PulseAudio, the prefix and a lasting wineserver
#   winerun.sh --down        stops them
#   winerun.sh --env         prints the environment for other tools (paplay, parec)
#   winerun.sh PROGRAM ARGS  runs PROGRAM under Wine
# TONVEX_WINE_ARCH=win64 runs the 64-bit test build in a 64-bit prefix of its own, for machines
# whose kernel runs no 32-bit programs.
set -euo pipefail

root=${TONVEX_WINE_HOME:-${HOME:-/root}/.cache/tonvex-wine}
display=${TONVEX_DISPLAY:-:77}
export WINEDEBUG=-all DISPLAY="$display"
if [ "${TONVEX_WINE_ARCH:-win32}" = win64 ]; then
  export WINEPREFIX="$root/prefix64" WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  # Debian's wine script would take the 32-bit loader whenever it is installed.
  loader=/usr/lib/wine/wine64
else
  export WINEPREFIX="$root/prefix" WINEARCH=win32
  loader=wine
fi
# "command": the loader may be named wine too, and this function must not call itself.
wine() { command "$loader" "$@"; }
# TONVEX_PULSE_SERVER lets a test point the sound driver at no server: a machine without sound.
export XDG_RUNTIME_DIR="$root/run" PULSE_SERVER="${TONVEX_PULSE_SERVER:-unix:$root/run/native}"
export PULSE_STATE_PATH="$root/pulse-state" PULSE_COOKIE="$root/pulse-state/cookie"
mkdir -p "$root/run" "$root/pulse-state"
chmod 700 "$root/run"

pulse_up() {
  pactl info >/dev/null 2>&1 && return 0
  cat >"$root/lab.pa" <<PA
load-module module-native-protocol-unix auth-anonymous=1 socket=$root/run/native
load-module module-null-sink sink_name=line format=u8 rate=11025 channels=1 norewinds=1
load-module module-null-sink sink_name=speaker format=u8 rate=11025 channels=1 norewinds=1
set-default-source line.monitor
set-default-sink speaker
PA
  setsid pulseaudio -n -F "$root/lab.pa" --exit-idle-time=-1 --daemonize=no \
    >"$root/pulse.log" 2>&1 </dev/null &
  echo $! >"$root/pulse.pid"
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "winerun: PulseAudio did not start; see $root/pulse.log" >&2
  return 1
}

x_up() {
  local number=${display#:}
  local lock="/tmp/.X$number-lock"
  if [ -e "$lock" ]; then
    kill -0 "$(tr -d ' ' <"$lock")" 2>/dev/null && return 0
    rm -f "$lock" "/tmp/.X11-unix/X$number"  # left by a server that is gone
  fi
  setsid Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$root/xvfb.log" 2>&1 </dev/null &
  echo $! >"$root/xvfb.pid"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$number" ] && return 0; sleep 0.1; done
  echo "winerun: Xvfb did not start; see $root/xvfb.log" >&2
  return 1
}

prefix_up() {
  [ -f "$WINEPREFIX/.tonvex-ready" ] && return 0
  WINEDLLOVERRIDES="mscoree,mshtml=" wine wineboot -i >/dev/null 2>&1 </dev/null
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    >/dev/null 2>&1 </dev/null
  wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d pulse /f >/dev/null 2>&1 </dev/null
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  touch "$WINEPREFIX/.tonvex-ready"
}

# Stops the process whose id --up recorded under NAME.pid, if it still runs.
stop_recorded() {
  local file="$root/$1.pid"
  [ -f "$file" ] || return 0
  local pid
  pid=$(cat "$file")
  rm -f "$file"
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
}

case "${1:-}" in
  --up)
    x_up
    pulse_up
    prefix_up
    # A lasting server outside any pipe, so that captured output does not wait for it.
    wineserver -p >/dev/null 2>&1 </dev/null || true  # fails when one already runs
    wine cmd /c exit >/dev/null 2>&1 </dev/null
    ;;
  --down)
    # Only what --up started, by the process ids it recorded; the prefix's own server by Wine.
    wineserver -k >/dev/null 2>&1 || true
    stop_recorded pulse
    stop_recorded xvfb
    ;;
  --env)
    env | grep -E '^(WINEPREFIX|WINEARCH|WINELOADER|WINEDEBUG|DISPLAY|XDG_RUNTIME_DIR|PULSE_SERVER|PULSE_STATE_PATH|PULSE_COOKIE)='
    ;;
  "")
    echo "usage: winerun.sh --up | --down | --env | PROGRAM [ARGS]" >&2
    exit 2
    ;;
  *)
    # exec keeps the process id, by which the audio tests find the program's streams.
    exec "$loader" "$@"
    ;;
esac
