# shellcheck shell=bash disable=SC2154
# Sourced after audio_common.sh by the whole runs of Dorvane.exe (needs bin and here): a fresh
# program folder on drive C, the control and msgrsim registered, the modem responder on COM2,
# msgrsim started with a log, and all of it undone at the end.
msgrsim() { "$winerun" "$bin/msgrsim.exe" "$@" </dev/null; }
driver() { "$winerun" "$bin/desktop_driver.exe" "$@" </dev/null; }
log_has() { grep -sqF -- "$2" "$1"; }
modem_has() { grep -qxF -- "$1" "$work/modem/modem.log"; }

app="$WINEPREFIX/drive_c/dorvane-$(basename "$0" .sh)-$$"
mkdir -p "$app"
cp "$bin/Dorvane.exe" "$bin/back1.jpg" "$app/"
cleanup() {
  "$here/serial_line.sh" down "$work/modem" 2 || true
  msgrsim quit >/dev/null 2>&1 || true
  msgrsim /unregserver >/dev/null 2>&1 || true
  "$winerun" regsvr32 /u /s "$bin/TONVEX.OCX" >/dev/null 2>&1 </dev/null || true
  rm -rf "$app"
  finish
}
trap cleanup EXIT

"$winerun" regsvr32 /s "$bin/TONVEX.OCX" >/dev/null 2>&1 </dev/null || fail "regsvr32 TONVEX.OCX"
msgrsim /regserver || fail "msgrsim /regserver"
"$here/serial_line.sh" up "$work/modem" 2 || fail "no modem line on COM2"

# start_msgrsim OPTIONS...: msgrsim running with its log in $work/msgr.log.
start_msgrsim() {
  "$winerun" "$bin/msgrsim.exe" /log "$work/msgr.log" "$@" </dev/null >"$work/msgrsim.out" 2>&1 &
  started+=($!)
  wait_for 20 log_has "$work/msgr.log" ready ||
    fail "msgrsim $* did not start: $(cat "$work/msgrsim.out")"
}
