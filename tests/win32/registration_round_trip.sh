#!/usr/bin/env bash
# Registers TONVEX.OCX with Wine's regsvr32, checks the keys that containers and tools look up,
# unregisters it and checks that nothing it wrote is left behind.
#   registration_round_trip.sh WINERUN OCX
set -uo pipefail

winerun=$1
ocx=$2

control='{BCF535E3-0353-11D0-85D0-444553540000}'
page='{C1B3B767-4B81-11D1-928A-00001A0BF1DC}'
library='{C1B3B764-4B81-11D1-928A-00001A0BF1DC}'
dispatch='{C1B3B765-4B81-11D1-928A-00001A0BF1DC}'
events='{C1B3B766-4B81-11D1-928A-00001A0BF1DC}'
psdispatch='{00020420-0000-0000-C000-000000000046}'
progid='TONVEX.TonvexCtrl.1'
trees=("CLSID\\$control" "CLSID\\$page" "$progid" 'TONVEX.TonvexPropPage.1'
  "TypeLib\\$library" "Interface\\$dispatch" "Interface\\$events")

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

[ -f "$ocx" ] || {
  echo "FAIL: $ocx does not exist; build the win32 preset first" >&2
  exit 1
}
path=$("$winerun" winepath -w "$ocx" 2>/dev/null | tr -d '\r')
[ -n "$path" ] || {
  echo "FAIL: winepath gave no Windows path for $ocx" >&2
  exit 1
}

regsvr32() {
  "$winerun" regsvr32 "$@" "$ocx" >/dev/null 2>&1 </dev/null
}

# Prints one line per key ("K|key") and per value ("V|key|name|data") of the tree under
# HKCR\$1; key names are lower-cased because the registry ignores their case.
dump() {
  local text
  text=$("$winerun" reg query "HKCR\\$1" /s 2>/dev/null </dev/null) || return 1
  printf '%s\n' "$text" | tr -d '\r' | awk '
    /^HKEY_/ { key = tolower($0); sub(/^hkey_classes_root\\/, "", key); print "K|" key; next }
    /^    [^ ]/ {
      line = substr($0, 5)
      split(line, part, "    ")
      data = substr(line, length(part[1]) + length(part[2]) + 9)
      print "V|" key "|" part[1] "|" data
    }'
}

registry=""
load() {
  registry=""
  local tree
  for tree in "${trees[@]}"; do
    registry+=$(dump "$tree")$'\n'
  done
}

has_key() {
  grep -qxF "K|${1,,}" <<<"$registry" || fail "key HKCR\\$1 is missing"
}

# has_value KEY NAME DATA; NAME "(Default)" is the key's default value.
has_value() {
  local line
  line=$(grep -F "V|${1,,}|$2|" <<<"$registry" | head -n 1)
  if [ -z "$line" ]; then
    fail "value '$2' of HKCR\\$1 is missing"
  elif [ "$line" != "V|${1,,}|$2|$3" ]; then
    fail "value '$2' of HKCR\\$1 is '${line#"V|${1,,}|$2|"}', expected '$3'"
  fi
}

# A key left over from an earlier run or another registration must not hide a missing one.
for tree in "${trees[@]}"; do
  "$winerun" reg delete "HKCR\\$tree" /f >/dev/null 2>&1 </dev/null
done

regsvr32 /s
rc=$?
[ "$rc" -eq 0 ] || fail "regsvr32 /s exited with $rc"
# Registering again over an existing registration must work too.
regsvr32 /s
rc=$?
[ "$rc" -eq 0 ] || fail "a second regsvr32 /s exited with $rc"

load
clsid="CLSID\\$control"
has_value "$clsid" '(Default)' 'Tonvex Control'
has_value "$clsid\\InprocServer32" '(Default)' "$path"
has_value "$clsid\\InprocServer32" ThreadingModel Apartment
has_value "$clsid\\ProgID" '(Default)' "$progid"
has_key "$clsid\\Control"
has_value "$clsid\\MiscStatus\\1" '(Default)' 132241
has_value "$clsid\\TypeLib" '(Default)' "$library"
has_value "$clsid\\Version" '(Default)' 1.0
has_value "$clsid\\ToolboxBitmap32" '(Default)' "$path, 1"
has_value "$progid" '(Default)' 'Tonvex Control'
has_value "$progid\\CLSID" '(Default)' "$control"
# Containers offer insertable classes as embeddable documents; this control is not one.
if grep -qi '^K|.*\\insertable$' <<<"$registry"; then
  fail "the control is registered as insertable: $(grep -i '^K|.*\\insertable$' <<<"$registry")"
fi

has_value "CLSID\\$page" '(Default)' 'Tonvex Property Page'
has_value "CLSID\\$page\\InprocServer32" '(Default)' "$path"
has_value "CLSID\\$page\\InprocServer32" ThreadingModel Apartment
# The page's ProgID lives in its class factory only.
if grep -q '^K|tonvex.tonvexproppage.1' <<<"$registry"; then
  fail "HKCR\\TONVEX.TonvexPropPage.1 was written"
fi

typelib="TypeLib\\$library\\1.0"
has_value "$typelib" '(Default)' 'Tonvex ActiveX Control module'
has_value "$typelib\\409\\${TONVEX_WINE_ARCH:-win32}" '(Default)' "$path"
flags=$(grep -F "V|${typelib,,}\\flags|(Default)|" <<<"$registry" | cut -d'|' -f4)
if ! [[ "$flags" =~ ^[0-9]+$ ]] || (((flags & 2) == 0)); then
  fail "FLAGS of HKCR\\$typelib is '$flags'; LIBFLAG_FCONTROL (2) must be set"
fi
for pair in "$dispatch|_DTonvex" "$events|_DTonvexEvents"; do
  iid=${pair%|*}
  has_value "Interface\\$iid" '(Default)' "${pair#*|}"
  has_value "Interface\\$iid\\ProxyStubClsid32" '(Default)' "$psdispatch"
  has_value "Interface\\$iid\\TypeLib" '(Default)' "$library"
done

regsvr32 /u /s
rc=$?
[ "$rc" -eq 0 ] || fail "regsvr32 /u /s exited with $rc"
for tree in "${trees[@]}"; do
  if left=$(dump "$tree"); then
    fail "HKCR\\$tree is still there after unregistering:"$'\n'"$left"
  fi
done

# Nothing is registered any more: DllUnregisterServer fails (SELFREG_E_TYPELIB), which Wine's
# regsvr32 reports as 5.
regsvr32 /u /s
rc=$?
[ "$rc" -eq 5 ] || fail "regsvr32 /u /s on an unregistered control exited with $rc, expected 5"

# A control whose type library registration was lost still leaves completely: the failure is
# reported, but the classes go.
regsvr32 /s
"$winerun" reg delete "HKCR\\TypeLib\\$library" /f >/dev/null 2>&1 </dev/null
regsvr32 /u /s
rc=$?
[ "$rc" -eq 5 ] || fail "unregistering without the type library exited with $rc, expected 5"
for tree in "CLSID\\$control" "$progid" "CLSID\\$page"; do
  if left=$(dump "$tree"); then
    fail "HKCR\\$tree is left behind by an unregistration without the type library"
  fi
done

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "registration round trip: all checks passed"
