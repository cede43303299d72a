#!/usr/bin/env bash
# The Debian package, extracted into a scratch root: its files, its declared dependencies, and
# the extracted program started under Xvfb as far as its first window (with no baresip to reach,
# the start-up failure after its 10 s wait), which it ends from with status 0.
#   check_package.sh PACKAGE.deb
package=$(readlink -f "$1")
DORVANE_SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
source "$(dirname "$0")/desktop_session.sh"

root=$work/root
dpkg-deb -x "$package" "$root"
for file in usr/bin/dorvane usr/share/dorvane/back1.jpg usr/share/dorvane/dorvane.png \
  usr/share/applications/dorvane.desktop etc/xdg/autostart/dorvane.desktop \
  usr/share/icons/hicolor/32x32/apps/dorvane.png; do
  [ -s "$root/$file" ] || fail "the package lacks $file"
done
[ -x "$root/usr/bin/dorvane" ] || fail "usr/bin/dorvane is not executable"
desktop-file-validate "$root/usr/share/applications/dorvane.desktop" ||
  fail "the desktop entry is not valid"
depends=$(dpkg-deb -f "$package" Depends)
for needed in libgtk-3-0 libpulse0 libglib2.0-0 fonts-noto-cjk xdg-utils baresip-core; do
  grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

start_display
# A loopback port that nobody listens on.
DORVANE_BARESIP=127.0.0.1:$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
export DORVANE_BARESIP
program=$root/usr/bin/dorvane
start_program "$program"
press_in ERROR Return
wait_for_program_end
[ "$status" -eq 0 ] || fail "the extracted program ended with status $status"
echo "PASS: $(basename "$package"): files, Depends ($depends), first window"
