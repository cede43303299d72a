# Sourced by the road tests: a private desktop (Xvfb, a tray host, a PulseAudio null sink as the
# line), a modem on a pty pair as COM2, the program under test, and the user's hands (xdotool).
# Every process started here is recorded and stopped by its PID when the test ends.
set -euo pipefail

work=$(mktemp -d /tmp/dorvane-road.XXXXXX)
pids=()
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime HOME=$work/home
mkdir -p "$XDG_CONFIG_HOME/dorvane/dosdevices" "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
config=$XDG_CONFIG_HOME/dorvane
# No session bus unless a road starts one: the program then never looks past the XEmbed tray.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/session-bus NO_AT_BRIDGE=1

stop_all() {
  local pid
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    pid=${pids[i]}
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  if [ "${KEEP_ROAD:-}" = "" ]; then rm -rf "$work"; else echo "kept $work"; fi
}
trap stop_all EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/program.out" ] && sed 's/^/  program: /' "$work/program.out" >&2
  [ -f "$work/modem.log" ] && sed 's/^/  modem: /' "$work/modem.log" >&2
  exit 1
}

# wait_until SECONDS DESCRIPTION COMMAND...: polls the condition, never a fixed sleep.
wait_until() {
  local seconds=$1 what=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || fail "timed out waiting for $what"
    sleep 0.1
  done
}

# start_bare_display: the X server alone, a display without an XEmbed tray.
start_bare_display() {
  exec {displayfd}<> <(:)
  Xvfb -displayfd "$displayfd" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  local number=""
  read -r -t 20 number <&"$displayfd" || fail "Xvfb did not start"
  exec {displayfd}<&-
  export DISPLAY=:$number
}

start_display() {
  start_bare_display
  trayer --edge top --align right --widthtype pixel --width 64 --height 32 \
    --heighttype pixel --expand false --transparent false >"$work/trayer.log" 2>&1 &
  pids+=($!)
  wait_until 20 "the tray host" xdotool search --classname '^panel$'
}

start_sound() {
  export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse.sock
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
    -L "module-native-protocol-unix socket=$XDG_RUNTIME_DIR/pulse.sock auth-anonymous=1" \
    -L "module-null-sink sink_name=line rate=11025 channels=1" \
    -L "module-always-sink" >"$work/pulse.log" 2>&1 &
  pids+=($!)
  export PULSE_SOURCE=line.monitor PULSE_SINK=line
  wait_until 20 "the sound server" pactl info
}

start_modem() {
  python3 "$DORVANE_SOURCE/tests/win32/modem_responder.py" --link "$work/com2" \
    --log "$work/modem.log" --control "$work/modem.ctl" --pid-file "$work/modem.pid" &
  pids+=($!)
  wait_until 20 "the modem line" test -s "$work/modem.pid"
  ln -sf "$work/com2" "$config/dosdevices/com2"
}

# start_program [PROGRAM]: the test build (loopback messenger) unless another is named.
start_program() {
  program=${1:-$DORVANE_BIN/dorvane-testbed}
  "$program" >>"$work/program.out" 2>&1 &
  program_pid=$!
  pids+=($program_pid)
}

# file_is PATH BYTES: the file holds exactly these bytes (printf escapes).
file_is() { cmp -s "$1" <(printf "$2"); }
program_says() { grep -qF -- "$1" "$work/program.out"; }
modem_heard() { grep -qxF -- "$1" "$work/modem.log"; }
program_class() { basename "${program:-dorvane-testbed}"; }
# The program's own windows by title; the tray icon's window is of the class "dorvane".
# Windows whose title and class match, by their ids; fails when there is none.
windows_of_class() {
  local class=$1 name=$2 window found=1
  for window in $(xdotool search --onlyvisible --name "^$name\$"); do
    if xprop -id "$window" WM_CLASS | grep -qF "= \"$class\","; then
      echo "$window"
      found=0
    fi
  done
  return $found
}
window_named() { windows_of_class "$(program_class)" "$1"; }
tray_icon() { windows_of_class dorvane Dorvane; }
tray_icon_shown() { tray_icon >/dev/null; }
menu_shown() { window_named "$(program_class)"; }

# press_in WINDOW_NAME KEYS...: gives the window the keyboard (there is no window manager) and
# types into it.
press_in() {
  local name=$1 window
  shift
  wait_until 30 "window $name" window_named "$name"
  window=$(window_named "$name" | head -1)
  xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers "$@"
}

# The tray icon's menu, opened with a right click on the icon, and one of its items chosen by
# its mnemonic letter.
tray_menu() {
  wait_until 20 "the tray icon" tray_icon_shown
  xdotool mousemove --window "$(tray_icon | head -1)" 8 8 click 3
  wait_until 20 "the tray menu" menu_shown
}

# screenshot NAME [WINDOW]: the window, or what the screen shows on its black background, into
# $DORVANE_SCREENSHOTS when that is set.
screenshot() {
  [ -n "${DORVANE_SCREENSHOTS:-}" ] || return 0
  mkdir -p "$DORVANE_SCREENSHOTS"
  if [ -n "${2:-}" ]; then
    xwd -id "$2" -silent | convert xwd:- "$DORVANE_SCREENSHOTS/$1.png"
  else
    xwd -root -silent | convert xwd:- -trim +repage "$DORVANE_SCREENSHOTS/$1.png"
  fi
}

port_open() { ls -l "/proc/$program_pid/fd" | grep -qF -- "$(readlink -f "$work/com2")"; }
recording() { [ -n "$(pactl list short source-outputs)" ]; }

# A desktop with the line and the modem, the program configured for COM2 with Alice as 001,
# started and listening. start_configured [DISPLAY_STARTER] (start_display: one with a tray).
start_configured() {
  "${1:-start_display}"
  start_sound
  start_modem
  printf '2\r\n*0\r\nATD0;\r\n' >"$config/DVN.ini"
  printf '001,alice@example.com,Alice\r\n' >"$config/PhoneLst.txt"
  start_program
  wait_until 30 "COM2 open" port_open
  wait_until 30 "the DTMF search recording the line" recording
}

# Waits for the program to end; its status in $status.
wait_for_program_end() {
  status=0
  wait "$program_pid" || status=$?
}
