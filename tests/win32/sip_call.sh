#!/usr/bin/env bash
# Whole calls between real SIP user agents under Wine: Dorvane.exe, unchanged, on msgrsim /sip,
# which reaches a native baresip ("ours") over loopback; a second baresip ("theirs") is the
# contact, driven through its ctrl_tcp; the modem is the responder on COM2. Ours' voice is the
# suite's sound card, theirs' a WAV file, and what each hears is searched for keys.
#   sip_call.sh BIN_DIR TONVEX_DIAL TONVEX_SCAN
# shellcheck source=audio_common.sh
source "$(dirname "$0")/audio_common.sh"
# shellcheck source=../sip/voice_keys.sh
source "$(dirname "$0")/../sip/voice_keys.sh"
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "$1" && pwd) dial=$2 scan=$3
for tool in "$dial" "$scan"; do
  [ -x "$tool" ] || fail "no $tool; build the native tools first"
done

# baresip listens for SIP over TLS on the SIP port + 1.
ours_sip=15310 ours_ctrl=15315 theirs_sip=15320 theirs_ctrl=15325
ours_uri="sip:ours@127.0.0.1:$ours_sip" theirs_uri="sip:theirs@127.0.0.1:$theirs_sip"

not() { ! "$@"; }
count_of() { grep -scF -- "$2" "$1" || true; }
grows() { [ "$(count_of "$1" "$2")" -gt "$3" ]; }
# The events come as one stream without line ends: count occurrences, not lines.
heard() { [ "$(grep -soF -- "$1" "$work/theirs.events" | wc -l)" -ge "$2" ]; }
# A command to theirs' ctrl_tcp, as a netstring.
theirs() {
  local json="{\"command\":\"$1\",\"token\":\"t\"${2:+,\"params\":\"$2\"}}"
  printf '%d:%s,' "${#json}" "$json" >&3
}
accepting() { (exec 4<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

# shellcheck source=program_run.sh
source "$here/program_run.sh"

theirs_voice "$dial" "$work/theirs-voice.wav"
pair="$here/../sip/baresip_pair.py"
python3 "$pair" write "$work/ours" ours $ours_sip $ours_ctrl --contact "Theirs=$theirs_uri" \
  --sound-card
mkdir -p "$work/heard"
python3 "$pair" write "$work/theirs" theirs $theirs_sip $theirs_ctrl --contact "Ours=$ours_uri" \
  --source-wav "$work/theirs-voice.wav" --record-to "$work/heard"
# Ours' voice is the handset's: the line's monitor as its source, the suite's speaker its player.
PULSE_SOURCE=line.monitor PULSE_SINK=speaker baresip -f "$work/ours" </dev/null \
  >"$work/ours.out" 2>&1 &
ours_pid=$!
started+=("$ours_pid")
baresip -f "$work/theirs" </dev/null >"$work/theirs.out" 2>&1 &
started+=($!)
wait_for 10 accepting "$ours_ctrl" || fail "ours' ctrl_tcp did not open"
wait_for 10 accepting "$theirs_ctrl" || fail "theirs' ctrl_tcp did not open"
exec 3<>"/dev/tcp/127.0.0.1/$theirs_ctrl"
cat <&3 >"$work/theirs.events" &
started+=($!)

start_msgrsim /sip "127.0.0.1:$ours_ctrl"

(cd "$app" && exec "$winerun" "$app/Dorvane.exe") </dev/null >"$work/dorvane.out" 2>&1 &
dorvane=$!
started+=("$dorvane")
driver wait Preference 20 || fail "no Preference dialog on the first run"
driver press Preference 1004
driver gone Preference 10 || fail "the dialog stayed open after OK"
wait_for 10 test -s "$app/PhoneLst.txt" || fail "no PhoneLst.txt written"
wait_for 10 test -s "$app/DVN.ini" || fail "no DVN.ini written"
grep -qxF "001,$theirs_uri,Theirs"$'\r' "$app/PhoneLst.txt" ||
  fail "the phone list is not baresip's contacts: $(cat "$app/PhoneLst.txt")"
wait_for 10 records_from "$dorvane" line.monitor || fail "Dorvane does not listen to the line"

# The handset's speaker, from before the call.
parecord --device=speaker.monitor --rate=8000 --channels=1 --format=s16le --file-format=wav \
  "$work/speaker.wav" &
speaker_pid=$!
started+=("$speaker_pid")

echo "== *001 keyed on the handset calls theirs, who answers"
"$dial" --gap=150 --out="$work/keys.wav" "*001"
paplay --device=line "$work/keys.wav"
wait_for 10 heard CALL_INCOMING 1 || fail "theirs saw no call: $(tail -5 "$work/msgr.log")"
theirs accept
wait_for 10 log_has "$work/msgr.log" "The voice conversation has started." ||
  fail "the call did not start: $(tail -5 "$work/msgr.log")"
answered=$SECONDS
log_has "$work/msgr.log" "call MyStatus = 50" || fail "the status did not show the call"

echo "== voice both ways: keys into the line reach theirs, theirs' keys the handset's speaker"
wait_for 10 not records_from "$dorvane" line.monitor || fail "Dorvane still searches in the call"
"$dial" --gap=80 --out="$work/line-keys.wav" "$line_keys"
paplay --device=line "$work/line-keys.wav"
# Theirs' voice has ended by now: its keys end 5.3 s after the answer.
while [ $((SECONDS - answered)) -lt 7 ]; do sleep 0.2; done

echo "== theirs hangs up: the modem hangs up and the status goes back"
: >"$work/modem/modem.log"
away=$(count_of "$work/msgr.log" "call MyStatus = 34")
theirs hangup
wait_for 12 modem_has "ATH" ||
  fail "the modem was not hung up: $(tail -4 "$work/msgr.log")
theirs: $(grep -o 'CALL_[A-Z]*' "$work/theirs.events" | tr '\n' ' ')"
wait_for 5 grows "$work/msgr.log" "call MyStatus = 34" "$away" || fail "the status stayed"
kill "$speaker_pid"
wait "$speaker_pid" 2>/dev/null || true
heard_both_ways "$scan" "$work/heard" "$work/speaker.wav"

echo "== theirs calls: accepted after Timer1's 5 s, the handset rung"
: >"$work/modem/modem.log"
theirs dial "$ours_uri"
wait_for 20 log_has "$work/msgr.log" "keys Alt+T" || fail "no Alt+T for the invitation"
wait_for 10 heard CALL_ESTABLISHED 2 ||
  fail "theirs did not see the call answered: $(grep -o 'CALL_[A-Z]*' "$work/theirs.events" | tr '\n' ' ')
$(tail -8 "$work/msgr.log")"
wait_for 5 modem_has "ATZ" || fail "no ATZ for the invitation"
wait_for 10 modem_has "ATD*0;" || fail "the handset was not rung"
: >"$work/modem/modem.log"
theirs hangup
wait_for 12 modem_has "ATH" || fail "the modem was not hung up after their call"

echo "== theirs calls and gives up before 5 s: nothing happens"
: >"$work/modem/modem.log"
keys_before=$(count_of "$work/msgr.log" "keys Alt+T")
invitations=$(count_of "$work/msgr.log" "Press Alt+T")
theirs dial "$ours_uri"
wait_for 10 grows "$work/msgr.log" "Press Alt+T" "$invitations" || fail "no invitation"
sleep 1
theirs hangup
wait_for 10 log_has "$work/msgr.log" "has canceled the invitation." || fail "no cancel text"
sleep 7
[ "$(count_of "$work/msgr.log" "keys Alt+T")" = "$keys_before" ] || fail "keys were sent"
[ ! -s "$work/modem/modem.log" ] || fail "the modem got: $(cat "$work/modem/modem.log")"

echo "== ours' baresip killed during a call: the modem hangs up, Dorvane runs on, files whole"
(cd "$app" && sha256sum DVN.ini PhoneLst.txt >"$work/files.sum")
: >"$work/modem/modem.log"
theirs dial "$ours_uri"
wait_for 10 modem_has "ATD*0;" || fail "the handset was not rung for the last call"
: >"$work/modem/modem.log"
kill "$ours_pid"
wait_for 12 modem_has "ATH" || fail "the modem was not hung up after baresip went"
sleep 2
kill -0 "$dorvane" 2>/dev/null || fail "Dorvane ended: $(cat "$work/dorvane.out")"
(cd "$app" && sha256sum --quiet -c "$work/files.sum") || fail "Dorvane's files changed"
echo "PASS"
