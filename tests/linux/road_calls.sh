#!/usr/bin/env bash
# Calls through the bridge: keys played into the line heard and a contact called, the far end
# hanging up, an invitation accepted with the modem ringing the handset, and a ring answered.
source "$(dirname "$0")/desktop_session.sh"
start_configured

# The handset keys *001: Alice's code.
"$TONVEX_DIAL" --gap=80 --out="$work/keys.wav" '*001'
paplay --device=line "$work/keys.wav"
wait_until 30 "the call to Alice" program_says "messenger StartVoice alice@example.com"
wait_until 10 "the status on the phone" program_says "messenger MyStatus = 50"
wait_until 10 "the search stopped for the call" bash -c "! pactl list short source-outputs | grep -q ."

# Alice hangs up: the supervision ends the call and the search runs again.
kill -USR2 "$program_pid"
wait_until 30 "the handset hung up" modem_heard "ATH"
wait_until 10 "the status away" program_says "messenger MyStatus = 34"
wait_until 30 "the search again" recording

# Bob invites: the bridge accepts with Alt+T in Bob's window and rings the handset.
kill -USR1 "$program_pid"
wait_until 30 "Bob's invitation accepted" program_says "messenger keys %T to bob@example.com"
wait_until 30 "the modem dialling the handset" modem_heard "ATD*0;"
modem_heard "ATZ" || fail "the modem was not reset before dialling"
screenshot conversation

# The handset line rings: the bridge picks up and sends the modem command.
echo ring >"$work/modem.ctl"
wait_until 30 "the ring answered" modem_heard "ATH1"
wait_until 30 "the modem command" modem_heard "ATD0;"
kill "$program_pid"
wait_for_program_end
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "PASS"
