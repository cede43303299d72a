#!/usr/bin/env bash
# The tray menu's items on a configured program (About box, settings dialog cancelled, the
# phone list opened in the user's editor), then the modem pulled out: the fatal report, the
# icon removed and the program's end.
source "$(dirname "$0")/desktop_session.sh"
cat >"$work/editor" <<EDITOR
#!/bin/sh
printf '%s\n' "\$@" >"$work/editor.args"
EDITOR
chmod +x "$work/editor"
export VISUAL=$work/editor
start_configured

tray_menu
xdotool key Down Down Down Down Return
wait_until 20 "the About box" window_named 'Dorvane.*情報'
screenshot about-box "$(window_named 'Dorvane.*情報' | head -1)"
press_in 'Dorvane.*情報' Return
wait_until 20 "the About box to close" bash -c "! xdotool search --onlyvisible --name '情報'"

# The settings dialog closes the port while it is open; Cancel writes the same settings back
# and opens it again.
tray_menu
xdotool key p
wait_until 20 "the settings dialog" window_named Preference
wait_until 20 "COM2 closed" bash -c "! ls -l /proc/$program_pid/fd | grep -qF -- $(readlink -f "$work/com2")"
xdotool mousemove --window "$(window_named Preference | head -1)" 234 147 click 1
wait_until 20 "COM2 open again" port_open
file_is "$config/DVN.ini" '2\r\n*0\r\nATD0;\r\n' || fail "Cancel changed DVN.ini"

# Edit Phone List: the notice, then the list in the user's editor.
tray_menu
xdotool key Down Return
press_in '注意!!' Return
wait_until 20 "the editor" test -s "$work/editor.args"
[ "$(cat "$work/editor.args")" = "$config/PhoneLst.txt" ] ||
  fail "the editor got $(cat "$work/editor.args")"

# The modem goes away: the next event on the port is a failure the program cannot go on from.
kill "$(cat "$work/modem.pid")"
wait_until 30 "the fatal report" window_named ERROR
tray_icon_shown || fail "the icon went before the report was read"
screenshot fatal-report
press_in ERROR Return
wait_for_program_end
[ "$status" -eq 0 ] || fail "the program ended with status $status"
tray_icon_shown && fail "the tray icon stayed after the fatal report"
echo "PASS"
