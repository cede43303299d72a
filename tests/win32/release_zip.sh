#!/usr/bin/env bash
# The release zip as a user unpacks it: the program, the 32-bit control, the 64-bit control in
# x64/, the picture and the read-me; then the 64-bit control, registered by the 64-bit regsvr32,
# driven by the 64-bit script host under 64-bit Wine.
#   release_zip.sh WINERUN ZIP SCRIPT.vbs
set -uo pipefail
winerun=$1
zip=$2
script=$3
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/dorvane-release.XXXXXX")
trap 'rm -rf "$work"' EXIT
python3 -m zipfile -e "$zip" "$work" || { echo "FAIL: cannot unpack $zip" >&2; exit 1; }

failed=0
# The machine a PE file is built for, from its COFF header.
machine() {
  python3 -c 'import struct,sys
d=open(sys.argv[1],"rb").read(4096); o=struct.unpack_from("<I",d,0x3c)[0]
print({0x14c:"i386",0x8664:"x86-64"}.get(struct.unpack_from("<H",d,o+4)[0],"other"))' "$1"
}
for entry in Dorvane.exe:i386 TONVEX.OCX:i386 x64/TONVEX.OCX:x86-64; do
  file=${entry%%:*} want=${entry##*:}
  [ -f "$work/$file" ] || { echo "FAIL: $file is not in the zip" >&2; failed=1; continue; }
  got=$(machine "$work/$file")
  [ "$got" = "$want" ] || { echo "FAIL: $file is built for $got, not $want" >&2; failed=1; }
done
for file in back1.jpg README.txt; do
  [ -s "$work/$file" ] || { echo "FAIL: $file is not in the zip" >&2; failed=1; }
done
grep -qF 'x64\TONVEX.OCX' "$work/README.txt" || { echo "FAIL: README.txt names no x64 control" >&2; failed=1; }
grep -qF 'no longer exists' "$work/README.txt" || { echo "FAIL: README.txt hides the messenger's fate" >&2; failed=1; }
[ $failed -eq 0 ] || exit 1

export TONVEX_WINE_ARCH=win64
"$winerun" --up || { echo "FAIL: 64-bit Wine did not come up" >&2; exit 1; }
bash "$here/script_host_automation.sh" "$winerun" "$work/x64/TONVEX.OCX" "$script"
