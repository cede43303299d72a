#!/usr/bin/env bash
# A whole run of Dorvane.exe under Wine, checked from outside: the modem responder's log on COM2,
# msgrsim's call log, the program's files and windows, and screenshots of what the user sees.
#   end_to_end.sh BIN_DIR TONVEX_DIAL [SHOTS_DIR]
# BIN_DIR holds Dorvane.exe, TONVEX.OCX, msgrsim.exe, desktop_driver.exe and back1.jpg.
# shellcheck source=audio_common.sh
source "$(dirname "$0")/audio_common.sh"
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "$1" && pwd) dial=$2 shots=${3:-$work/shots}
mkdir -p "$shots"
# A Japanese Windows, as the program's users have: code page 932 and the Japanese fonts.
export LC_ALL=ja_JP.UTF-8
[ -x "$dial" ] || fail "no $dial; build the native tools first"

screenshot() { xwd -root -silent -display "$DISPLAY" | convert xwd:- "png:$shots/$1.png"; }
now() { date +%s.%N; }
elapsed() { awk -v from="$1" -v to="$2" 'BEGIN { printf "%.2f s", to - from }'; }

# shellcheck source=program_run.sh
source "$here/program_run.sh"

printf '%s\n' "alice@example.com Alice" "bob@example.com Bob" "carol@example.com Carol" \
  >"$work/contacts.txt"
start_msgrsim
# Wine's drive Z: is the root of the machine's file system.
msgrsim contacts "Z:${work//\//\\}\\contacts.txt" >/dev/null ||
  fail "msgrsim took no contacts"
msgrsim status online >/dev/null || fail "msgrsim status online"

# The program's trace tells where a keystroke went, or why it was held back.
export TONVEX_TRACE="Z:${work//\//\\}\\dorvane-trace.log"
(cd "$app" && exec "$winerun" "$app/Dorvane.exe") </dev/null >"$work/dorvane.out" 2>&1 &
unset TONVEX_TRACE
dorvane=$!
started+=("$dorvane")

echo "== first run: the settings dialog with the defaults, answered OK"
driver wait Preference 20 || fail "no Preference dialog on the first run"
[ "$(driver text Preference 1002 | tr -d '\r')" = "*0" ] || fail "Txt_MDN is not *0"
[ "$(driver text Preference 1003 | tr -d '\r')" = "ATD0;" ] || fail "Cmb_MAC is not ATD0;"
[ "$(driver text Preference 1001 | tr -d '\r')" = "COM2" ] || fail "Cmb_Com is not COM2"
screenshot preference
# The dialog is centred on the screen; OCR reads it alone, as the eye does.
convert "$shots/preference.png" -gravity center -crop 400x220+0+0 +repage "$work/preference.png"
bash "$here/../cli/read_labels.sh" "$work/preference.png" >/dev/null ||
  fail "the fields' labels cannot be read on the settings dialog"
driver press Preference 1004
driver gone Preference 10 || fail "the dialog stayed open after OK"
wait_for 10 test -s "$app/DVN.ini" || fail "no DVN.ini written"
[ "$(od -An -c "$app/DVN.ini" | tr -s ' \n' ' ')" = " 2 \r \n * 0 \r \n A T D 0 ; \r \n " ] ||
  fail "DVN.ini is not the defaults: $(od -c "$app/DVN.ini")"
for line in "001,alice@example.com,Alice" "002,bob@example.com,Bob" "003,carol@example.com,Carol"; do
  grep -qxF "$line"$'\r' "$app/PhoneLst.txt" || fail "PhoneLst.txt lacks $line"
done
wait_for 10 records_from "$dorvane" line.monitor || fail "Dorvane does not listen to the line"

echo "== *002 keyed on the handset calls Bob"
"$dial" --gap=150 --out="$work/keys.wav" "*002"
paplay --device=line "$work/keys.wav"
keyed=$(now)
wait_for 10 log_has "$work/msgr.log" 'call StartVoice contact "bob@example.com"' ||
  fail "no StartVoice for Bob: $(tail -5 "$work/msgr.log")"
echo "key to StartVoice: $(elapsed "$keyed" "$(now)")"
wait_for 5 log_has "$work/msgr.log" "call MyStatus = 50" || fail "status not 50 in the call"

echo "== the conversation ends on the messenger's side"
msgrsim append last "The voice conversation has ended." >/dev/null
ended=$(now)
wait_for 12 modem_has "ATH" || fail "the modem was not hung up"
echo '"has ended" to ATH: '"$(elapsed "$ended" "$(now)")"
wait_for 5 log_has "$work/msgr.log" "call MyStatus = 34" || fail "status not 34 after the call"

echo "== the telephone rings"
echo ring >"$work/modem/control"
wait_for 10 modem_has "ATH1" || fail "no ATH1 after RING"
wait_for 10 modem_has "ATD0;" || fail "no ATD0; after ATH1"

echo "== an invitation from Carol is accepted"
: >"$work/modem/modem.log"
msgrsim invite carol@example.com >/dev/null || fail "msgrsim invite"
# Timer1's 5 s, then at most 6 s for the window to come to the front, on a loaded machine.
wait_for 20 log_has "$work/msgr.log" "keys Alt+T accepted" ||
  fail "the invitation was not accepted: $(cat "$work/dorvane-trace.log" 2>/dev/null)"
grep -q 'keys "%T" sent' "$work/dorvane-trace.log" || fail "no keys in the program's trace"
wait_for 5 modem_has "ATZ" || fail "no ATZ for the invitation"
wait_for 10 modem_has "ATD*0;" || fail "the handset was not rung"
grep -c "call MyStatus = 50" "$work/msgr.log" | grep -qx 2 || fail "status not 50 again"

echo "== the tray menu, the About box, the settings without their picture"
# The tray menu's items, in order: Edit Phone List, Phone List(&O), Preference(&P), Version,
# Exit(&X).
menu_preference=2 menu_version=3 menu_exit=4
driver icon Dorvane_frm || fail "no tray icon"
driver tray Dorvane_frm 512  # the mouse moving over the icon
driver tray Dorvane_frm 513  # the left button
sleep 0.5
driver popup 0 && fail "the menu opened for a move or a left click"
driver tray Dorvane_frm 516  # the right button
driver popup 5 || fail "the right button opened no menu"
screenshot tray-menu
driver menu "$menu_version" || fail "no menu to choose Version from"
driver wait "Dorvane*" 10 || fail "no About box"
screenshot about
driver press "Dorvane*" 1
driver gone "Dorvane*" 10 || fail "the About box stayed open after OK"

mv "$app/back1.jpg" "$app/back1.away"
driver tray Dorvane_frm 516
driver menu "$menu_preference" || fail "no menu to choose Preference(&P) from"
driver wait Preference 10 || fail "no Preference dialog from the menu"
screenshot preference-without-picture
driver press Preference 1005
driver gone Preference 10 || fail "the dialog stayed open after Cancel"
mv "$app/back1.away" "$app/back1.jpg"

echo "== Exit(&X)"
window=$(driver window Dorvane_frm | tr -d '\r')
driver tray Dorvane_frm 516
driver menu "$menu_exit" || fail "no menu to choose Exit(&X) from"
for _ in $(seq 100); do kill -0 "$dorvane" 2>/dev/null || break; sleep 0.1; done
kill -0 "$dorvane" 2>/dev/null && fail "Dorvane still runs after Exit(&X)"
wait "$dorvane" || fail "Dorvane exited with status $?"
driver icon "$window" && fail "the tray icon outlived the program"
echo "screenshots: $shots"
echo "PASS"
