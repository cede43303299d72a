#!/usr/bin/env bash
# Registers TONVEX.OCX, runs a VBScript that uses it through Wine's cscript and compares the
# script's report with the expected lines. Unregisters the control again at the end.
#   script_host_automation.sh WINERUN OCX SCRIPT.vbs
set -uo pipefail

winerun=$1
ocx=$2
script=$3

for file in "$ocx" "$script"; do
  [ -f "$file" ] || {
    echo "FAIL: $file does not exist" >&2
    exit 1
  }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tonvex-script-host.XXXXXX")
cleanup() {
  "$winerun" regsvr32 /u /s "$ocx" >/dev/null 2>&1 </dev/null
  rm -rf "$work"
}
trap cleanup EXIT

windows_path() {
  "$winerun" winepath -w "$1" 2>/dev/null </dev/null | tr -d '\r'
}

"$winerun" regsvr32 /s "$ocx" >/dev/null 2>&1 </dev/null
rc=$?
[ "$rc" -eq 0 ] || {
  echo "FAIL: regsvr32 /s $ocx exited with $rc" >&2
  exit 1
}

report="$work/report.txt"
started=$(date +%s%N)
timeout 60 "$winerun" cscript "$(windows_path "$script")" "$(windows_path "$report")" \
  >"$work/cscript.log" 2>&1 </dev/null
rc=$?
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
if [ "$rc" -eq 124 ]; then
  echo "FAIL: cscript did not finish within 60 s" >&2
  exit 1
fi
[ -s "$report" ] || {
  echo "FAIL: cscript (exit $rc) wrote no report; its output:" >&2
  cat "$work/cscript.log" >&2
  exit 1
}
# The report is UTF-16 with a byte order mark; the Japanese texts need it.
actual=$(iconv -f UTF-16 -t UTF-8 "$report" | tr -d '\r') || {
  echo "FAIL: the report is not UTF-16" >&2
  exit 1
}

expected=$(
  cat <<'EXPECTED'
create=_DTonvex
ErrorMsg=[]|String
Sensitivity=50|Long
MaxSecond=10|Integer
Enabled=True|Boolean
MaxSecond:=120=120
MaxSecond:=121=120
MaxSecond:=9=120
MaxSecond:=-1=120
MaxSecond:=10=10
MaxSecond:=30=30
Sensitivity:=300=300
Sensitivity:=301=300
Sensitivity:=0=300
Sensitivity:=1=1
Sensitivity:=-5=1
Sensitivity:=75=75
ErrorMsg after ignored writes=[]
Enabled:=False=False
SearchDtmf disabled=False|Boolean|プロパティEnabledがFALSEです
SearchLevel disabled=False|Boolean|プロパティEnabledがFALSE
PlayDtmf disabled=False|Boolean|プロパティEnabledがFALSE
ErrorMsg:=note=note
ErrorMsg:=empty=[]
Enabled:=True=True
PlayDtmf x=False|Boolean|不正文字有り
PlayDtmf a=False|Boolean|不正文字有り
PlayDtmf empty=True|Boolean|不正文字有り
SearchDtmf start=True|Boolean|
SearchLevel during DTMF search=0|メソッド実行中
PlayDtmf during DTMF search=False|Boolean|メソッド実行中
SearchDtmf stop=True|Boolean|メソッド実行中
SearchLevel start=True|Boolean|
SearchDtmf during level search=False|Boolean|メソッド実行中
Enabled off and on=True
SearchDtmf after disabling=True|Boolean|
SearchDtmf stop again=True|Boolean|
second Sensitivity=50
second ErrorMsg=[]
second SearchLevel start=-1
first SearchDtmf beside it=True|Boolean|
second SearchLevel stop=True
second released=ok
first released=ok
page by ProgID=429
done
EXPECTED
)

if [ "$actual" != "$expected" ]; then
  echo "FAIL: the script's report differs from the expected one (- expected, + actual):" >&2
  diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") >&2
  exit 1
fi
echo "script host automation: $(wc -l <<<"$expected") lines as expected; cscript took ${elapsed_ms} ms"
