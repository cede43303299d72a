# Sourced after desktop_session.sh by the whole-call road and the call benchmark: two baresips on
# loopback. "ours" is the handset's user agent, its voice on the sound card (the line's monitor as
# its source, a "speaker" null sink as its player); "theirs" is the contact, its voice a WAV file,
# what it hears written to $work/heard, driven through its ctrl_tcp by theirs COMMAND.
# Its variables are shared with desktop_session.sh and the script that sources both.
# shellcheck shell=bash disable=SC2034,SC2154
sip_tests=$DORVANE_SOURCE/tests/sip
port_base=${CALL_PORT_BASE:-15600}
ours_sip=$port_base ours_ctrl=$((port_base + 10))
theirs_sip=$((port_base + 20)) theirs_ctrl=$((port_base + 30))
ours_uri=sip:ours@127.0.0.1:$ours_sip
theirs_uri=sip:theirs@127.0.0.1:$theirs_sip

# start_agents THEIRS_VOICE_WAV
start_agents() {
  pactl load-module module-null-sink sink_name=speaker rate=8000 channels=1 >/dev/null
  python3 "$sip_tests/baresip_pair.py" write "$work/ours" ours "$ours_sip" "$ours_ctrl" \
    --contact "Theirs=$theirs_uri" --sound-card
  mkdir -p "$work/heard"
  python3 "$sip_tests/baresip_pair.py" write "$work/theirs" theirs "$theirs_sip" "$theirs_ctrl" \
    --source-wav "$1" --record-to "$work/heard"
  PULSE_SOURCE=line.monitor PULSE_SINK=speaker baresip -f "$work/ours" >"$work/ours.log" 2>&1 &
  ours_pid=$!
  pids+=("$ours_pid")
  baresip -f "$work/theirs" >"$work/theirs.log" 2>&1 &
  pids+=($!)
  python3 "$sip_tests/baresip_pair.py" drive "$theirs_ctrl" "$work/theirs.events" \
    "$work/theirs.fifo" &
  pids+=($!)
  wait_until 20 "theirs' control" test -e "$work/theirs.events"
}

theirs() { echo "$*" >"$work/theirs.fifo"; }
# theirs_saw EVENT: theirs reported the event since the last mark_theirs.
theirs_seen=0
mark_theirs() { theirs_seen=$(wc -l <"$work/theirs.events"); }
theirs_events() { tail -n +$((theirs_seen + 1)) "$work/theirs.events"; }
theirs_saw() { theirs_events | grep -qF "\"type\":\"$1\""; }
modem_heard_times() { [ "$(grep -cxF -- "$1" "$work/modem.log")" -ge "$2" ]; }
# The program's DTMF search, told from ours' recording of the same source by its process.
searching() { pactl list source-outputs | grep -qF "application.process.id = \"$program_pid\""; }
not_searching() { ! searching; }
no_window() { ! window_named "$1"; }
windows_named() { [ "$( (window_named "$1" || true) | wc -l)" -eq "$2" ]; }

# start_bridge: the Linux program on ours' ctrl_tcp, started for the first time: its phone list
# generated from ours' contacts, the settings dialog answered with OK (COM2), the search running.
start_bridge() {
  export DORVANE_BARESIP=127.0.0.1:$ours_ctrl
  start_program "$DORVANE_BIN/dorvane"
  wait_until 30 "the settings dialog" window_named Preference
  file_is "$config/PhoneLst.txt" "001,$theirs_uri,Theirs\r\n" ||
    fail "the first run wrote this phone list: $(od -c "$config/PhoneLst.txt")"
  xdotool mousemove --window "$(window_named Preference | head -1)" 146 147 click 1
  wait_until 20 "DVN.ini" test -s "$config/DVN.ini"
  wait_until 20 "COM2 open" port_open
  wait_until 20 "the DTMF search" searching
}
