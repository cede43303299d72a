#!/usr/bin/env bash
# The modem line of the Windows tests: modem_responder.py on a pty pair whose program end is the
# Wine prefix's COM port. Wine links com1, com2, ... to the machine's serial devices when its
# server starts, so pick a number above theirs, and bring the line up after the server.
#   serial_line.sh up DIR PORT     starts the responder in DIR (line, modem.log, control FIFO)
#   serial_line.sh down DIR PORT   stops it and removes the link
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ $# -eq 3 ] || { echo "usage: serial_line.sh up|down DIR PORT" >&2; exit 2; }
dir=$2
prefix=$("$here/winerun.sh" --env | sed -n 's/^WINEPREFIX=//p')
link="$prefix/dosdevices/com$3"

down() {
  if [ -s "$dir/responder.pid" ]; then
    # The responder removes its pid file last, once its socat has gone.
    kill "$(cat "$dir/responder.pid")" 2>/dev/null || rm -f "$dir/responder.pid"
    for _ in $(seq 100); do [ -e "$dir/responder.pid" ] || break; sleep 0.05; done
  fi
  if [ "$(readlink "$link" || true)" = "$dir/line" ]; then rm -f "$link"; fi
}

case $1 in
  up)
    if [ ! -d "$prefix/dosdevices" ]; then
      echo "serial_line: no Wine prefix at $prefix; run winerun.sh --up first" >&2
      exit 1
    fi
    down
    mkdir -p "$dir"
    rm -f "$dir/modem.log" "$dir/responder.pid"
    setsid python3 "$here/modem_responder.py" --link "$dir/line" --log "$dir/modem.log" \
      --control "$dir/control" --pid-file "$dir/responder.pid" \
      >"$dir/responder.out" 2>&1 </dev/null &
    for _ in $(seq 100); do [ -s "$dir/responder.pid" ] && break; sleep 0.05; done
    if [ ! -s "$dir/responder.pid" ]; then
      cat "$dir/responder.out" >&2
      exit 1
    fi
    ln -sfn "$dir/line" "$link"
    ;;
  down) down ;;
  *)
    echo "usage: serial_line.sh up|down DIR PORT" >&2
    exit 2
    ;;
esac
