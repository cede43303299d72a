#!/usr/bin/env bash
# A whole call between real SIP user agents: the program on "ours" calls "theirs" from the
# handset's keys, voice goes both ways, theirs hangs up; theirs' invitation is accepted and one
# given up is left alone; ours killed mid-call hangs the handset up and loses no file.
# shellcheck source=../linux/desktop_session.sh
source "$DORVANE_SOURCE/tests/linux/desktop_session.sh"
# shellcheck source=call_session.sh
source "$DORVANE_SOURCE/tests/sip/call_session.sh"
# shellcheck source=voice_keys.sh
source "$DORVANE_SOURCE/tests/sip/voice_keys.sh"
start_display
start_sound
start_modem

theirs_voice "$TONVEX_DIAL" "$work/theirs-voice.wav"
start_agents "$work/theirs-voice.wav"
start_bridge

# The handset's speaker, from before the call.
parecord --device=speaker.monitor --rate=8000 --channels=1 --format=s16le --file-format=wav \
  "$work/speaker.wav" &
speaker_pid=$!
pids+=("$speaker_pid")

# 1. The handset keys *001: theirs is called from our account and answers.
"$TONVEX_DIAL" --gap=80 --out="$work/dial.wav" '*001'
paplay --device=line "$work/dial.wav"
wait_until 30 "the call to theirs" theirs_saw CALL_INCOMING
theirs_events | grep -F '"type":"CALL_INCOMING"' | grep -qF "\"peeruri\":\"$ours_uri\"" ||
  fail "theirs was called from elsewhere: $(theirs_events | grep CALL_INCOMING)"
theirs accept
wait_until 10 "the call answered" theirs_saw CALL_ESTABLISHED
wait_until 10 "the search stopped for the call" not_searching
answered=$SECONDS

# 2. Keys into the line reach theirs; theirs' keys reach the handset's speaker.
"$TONVEX_DIAL" --gap=80 --out="$work/line-keys.wav" "$line_keys"
paplay --device=line "$work/line-keys.wav"
# Theirs' voice has ended by now: its keys end 5.3 s after the answer.
while [ $((SECONDS - answered)) -lt 7 ]; do sleep 0.2; done

# 3. Theirs hangs up: the handset is hung up and the search runs again.
theirs hangup
wait_until 10 "the handset hung up" modem_heard ATH
wait_until 10 "the search again" searching
kill "$speaker_pid"
wait "$speaker_pid" 2>/dev/null || true
heard_both_ways "$TONVEX_SCAN" "$work/heard" "$work/speaker.wav"

# 4. Theirs calls: the invitation is accepted after Timer1's 5 s and the modem rings the handset.
mark_theirs
theirs dial "$ours_uri"
wait_until 10 "theirs' invitation shown" window_named Theirs
wait_until 20 "the invitation accepted" theirs_saw CALL_ESTABLISHED
modem_heard ATZ || fail "the modem was not reset before dialling"
wait_until 10 "the modem dialling the handset" modem_heard 'ATD*0;'
theirs hangup
wait_until 10 "the handset hung up again" modem_heard_times ATH 2
wait_until 10 "the search again" searching

# 5. Theirs calls and gives up before Timer1 ends: nothing reaches the modem or the call.
commands=$(wc -l <"$work/modem.log")
mark_theirs
theirs dial "$ours_uri"
wait_until 10 "theirs' second call ringing" theirs_saw CALL_RINGING
wait_until 10 "theirs' second invitation shown" window_named Theirs
theirs hangup
wait_until 10 "the call given up" theirs_saw CALL_CLOSED
given_up=$SECONDS
while [ $((SECONDS - given_up)) -lt 7 ]; do sleep 0.5; done
[ "$(wc -l <"$work/modem.log")" -eq "$commands" ] ||
  fail "the modem got $(tail -n +$((commands + 1)) "$work/modem.log")"
theirs_saw CALL_ESTABLISHED && fail "the invitation given up was accepted"
searching || fail "the search stopped"

# 6. Ours killed during a call: the handset is hung up and the program's files stay whole.
(cd "$config" && sha256sum DVN.ini PhoneLst.txt >"$work/files.sum")
# The invitation given up keeps its window, as a messenger's does.
windows_before=$( (window_named Theirs || true) | wc -l)
mark_theirs
paplay --device=line "$work/dial.wav"
wait_until 30 "the second call to theirs" theirs_saw CALL_INCOMING
theirs accept
wait_until 10 "the second call answered" theirs_saw CALL_ESTABLISHED
wait_until 10 "the search stopped for the call" not_searching
kill "$ours_pid"
wait_until 15 "the handset hung up after the drop" modem_heard_times ATH 3
(cd "$config" && sha256sum --quiet -c "$work/files.sum") || fail "the program's files changed"
wait_until 10 "the dropped call's window closed" windows_named Theirs "$windows_before"
wait_until 10 "the search after the drop" searching
# The next call finds no messenger: the program's report, read with Enter.
paplay --device=line "$work/dial.wav"
press_in ERROR Return
wait_until 10 "the report read" no_window ERROR
if kill -0 "$program_pid" 2>/dev/null; then
  echo "after its report the program runs on"
  kill "$program_pid"
else
  echo "the program ended after its report"
fi
wait_for_program_end
[ "$status" -eq 0 ] || fail "the program ended with status $status"
(cd "$config" && sha256sum --quiet -c "$work/files.sum") || fail "the program's files changed"
echo "PASS"
