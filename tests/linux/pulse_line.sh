#!/usr/bin/env bash
# The sound card of the Linux tests: a PulseAudio server of their own in DIR, whose null sink
# "line" is the telephone line. The default source is another sink's monitor, so a recording hears
# the line only when PULSE_SOURCE=line.monitor chooses it.
#   pulse_line.sh up DIR     starts the server (socket DIR/native, pid in DIR/pulse.pid)
#   pulse_line.sh down DIR   stops the server that DIR/pulse.pid names
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: pulse_line.sh up|down DIR" >&2; exit 2; }
dir=$2
export XDG_RUNTIME_DIR="$dir/run" PULSE_SERVER="unix:$dir/native"
export PULSE_STATE_PATH="$dir/state" PULSE_COOKIE="$dir/state/cookie"

down() {
  [ -s "$dir/pulse.pid" ] || return 0
  local pid
  pid=$(cat "$dir/pulse.pid")
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
  rm -f "$dir/pulse.pid"
}

case $1 in
  up)
    down
    mkdir -p "$dir/run" "$dir/state"
    chmod 700 "$dir/run"
    cat >"$dir/line.pa" <<PA
load-module module-native-protocol-unix auth-anonymous=1 socket=$dir/native
load-module module-null-sink sink_name=line format=u8 rate=11025 channels=1 norewinds=1
load-module module-null-sink sink_name=speaker format=u8 rate=11025 channels=1 norewinds=1
set-default-source speaker.monitor
set-default-sink speaker
PA
    setsid pulseaudio -n -F "$dir/line.pa" --exit-idle-time=-1 --daemonize=no \
      >"$dir/pulse.log" 2>&1 </dev/null &
    echo $! >"$dir/pulse.pid"
    for _ in $(seq 100); do pactl info >/dev/null 2>&1 && exit 0; sleep 0.1; done
    echo "pulse_line: PulseAudio did not start; see $dir/pulse.log" >&2
    cat "$dir/pulse.log" >&2
    down
    exit 1
    ;;
  down) down ;;
  *)
    echo "usage: pulse_line.sh up|down DIR" >&2
    exit 2
    ;;
esac
