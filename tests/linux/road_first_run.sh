#!/usr/bin/env bash
# First run: the settings dialog answered through its window and the files written, a second
# start refused, and Exit from the tray menu (icon gone, port closed, status 0).
source "$(dirname "$0")/desktop_session.sh"
start_display
start_sound
start_modem

start_program
wait_until 30 "the settings dialog" window_named Preference
wait_until 10 "the tray icon" tray_icon_shown
file_is "$config/PhoneLst.txt" '001,alice@example.com,alice\r\n002,bob@example.com,bob\r\n' ||
  fail "the first run wrote this phone list: $(od -c "$config/PhoneLst.txt")"
[ ! -e "$config/DVN.ini" ] || fail "DVN.ini was written before the dialog was answered"
# The dialog's OK button, at its place on the form.
dialog=$(window_named Preference | head -1)
screenshot preference-dialog "$dialog"
xdotool mousemove --window "$dialog" 146 147 click 1
wait_until 20 "DVN.ini" test -s "$config/DVN.ini"
file_is "$config/DVN.ini" '2\r\n*0\r\nATD0;\r\n' || fail "DVN.ini holds $(od -c "$config/DVN.ini")"
wait_until 20 "COM2 open" port_open

# A second start is refused and ends; the first runs on.
first_pid=$program_pid
start_program
second_pid=$program_pid
press_in Dorvane Return
second_status=0
wait "$second_pid" || second_status=$?
[ "$second_status" -eq 0 ] || fail "the refused start ended with status $second_status"
[ "$(grep -c "messenger created" "$work/program.out")" -eq 1 ] ||
  fail "the refused start went on to the messenger"
kill -0 "$first_pid" || fail "the first instance ended"
program_pid=$first_pid

# Exit from the tray menu.
tray_menu
screenshot tray-menu
xdotool key x
wait_for_program_end
[ "$status" -eq 0 ] || fail "Exit ended the program with status $status"
tray_icon_shown && fail "the tray icon stayed after Exit"
echo "PASS"
