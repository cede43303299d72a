#!/usr/bin/env bash
# A desktop whose only host is a StatusNotifierWatcher: the icon is a StatusNotifierItem with the
# program's title, tip and pixels; the host's ContextMenu call opens the program's own menu at the
# pointer, Activate opens nothing, a restarted watcher gets the item again, and Exit takes the item
# off the bus.
source "$(dirname "$0")/desktop_session.sh"
dbus-daemon --session --nofork --nopidfile --address="unix:path=$work/session-bus" \
  >"$work/bus.log" 2>&1 &
pids+=($!)
wait_until 20 "the session bus" test -S "$work/session-bus"
# start_watcher LOG: a watcher on the bus, its PID in $watcher_pid.
start_watcher() {
  watcher_log=$work/$1
  "$DORVANE_BIN/status-notifier-watcher" >"$watcher_log" 2>&1 &
  watcher_pid=$!
  pids+=($watcher_pid)
  wait_until 20 "the watcher" watcher_says watching
}
watcher_says() { grep -qxF -- "$1" "$watcher_log"; }
start_watcher watcher.log

start_configured start_bare_display
item=org.kde.StatusNotifierItem-$program_pid-1
wait_until 20 "the item registered" watcher_says "registered $item"
tray_icon_shown && fail "an XEmbed icon beside the item"
item_call() {
  gdbus call --session --dest "$item" --object-path /StatusNotifierItem --method "$@"
}
property() { item_call org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem "$1"; }
[ "$(property Title)" = "(<'Dorvane'>,)" ] || fail "the title is $(property Title)"
[ "$(property ToolTip)" = "(<('', @a(iiay) [], 'Dorvane', '')>,)" ] ||
  fail "the tip is $(property ToolTip)"
[ "$(property Category)" = "(<'Communications'>,)" ] || fail "the category is $(property Category)"
[ "$(property ItemIsMenu)" = "(<false>,)" ] || fail "the item says it is a menu"

# The 32-pixel icon in ARGB, byte for byte the shipped icon's RGBA pixels reordered.
property IconPixmap >"$work/pixmap.txt"
convert "$DORVANE_ICON_PNG" -depth 8 rgba:"$work/icon.rgba"
python3 - "$work/pixmap.txt" "$work/icon.rgba" <<'PYTHON' || fail "the icon's pixels differ"
import re, sys
pixmap = re.search(r"\(32, 32, \[([^\]]*)\]\)", open(sys.argv[1]).read())
argb = bytes(int(b, 16) for b in re.findall(r"0x([0-9a-f]{2})", pixmap.group(1)))
rgba = open(sys.argv[2], "rb").read()
sys.exit(argb != bytes(rgba[i + k] for i in range(0, len(rgba), 4) for k in (3, 0, 1, 2)))
PYTHON

# The host's right click: the program's menu, closed again with Escape.
program_windows() { xdotool search --onlyvisible --classname "^$(program_class)\$"; }
no_program_window() { ! program_windows; }
item_call org.kde.StatusNotifierItem.ContextMenu 900 5 >/dev/null
wait_until 20 "the tray menu" menu_shown
screenshot status-notifier-menu
xdotool key Escape
wait_until 20 "the menu to close" no_program_window

# A left click shows nothing: when the menu of the next right click is up, it is the only window.
item_call org.kde.StatusNotifierItem.Activate 900 5 >/dev/null
item_call org.kde.StatusNotifierItem.ContextMenu 900 5 >/dev/null
wait_until 20 "the tray menu" menu_shown
shown=$(program_windows | wc -l)
[ "$shown" -eq 1 ] || fail "$shown windows up after Activate and ContextMenu"

# The host restarts (a desktop shell that crashed): the item registers with the new watcher.
kill "$watcher_pid"
wait "$watcher_pid" || true
start_watcher watcher-again.log
wait_until 20 "the item registered again" watcher_says "registered $item"

xdotool key x
wait_for_program_end
[ "$status" -eq 0 ] || fail "Exit ended the program with status $status"
wait_until 20 "the item gone from the bus" watcher_says "gone $item"
echo "PASS"
