#!/bin/sh
# dorvane-sim's exit statuses and messages, and a script run from another working directory
# with a sound file beside it.
# usage: dorvane_sim_test.sh DORVANE_SIM TONVEX_DIAL
set -eu
sim=$1
dial=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failed=0
fail() {
  echo "FAIL: $*" >&2
  failed=1
}
run() {  # run SCRIPT: sets status, out and err
  status=0
  (cd / && "$sim" "$1") >"$dir/out" 2>"$dir/err" || status=$?
}

mkdir "$dir/calls"
"$dial" --gap=120 --out="$dir/calls/keys.wav" '*001'
cat >"$dir/calls/play.scn" <<'SCRIPT'
messenger contact alice@example.com "Alice"
file DVN.ini "2\r\n*0\r\nATD0;\r\n"
file PhoneLst.txt "001,alice@example.com,Alice\r\n"
start
wait 500
line play keys.wav
wait 1500
expect 'messenger StartVoice "alice@example.com" -> window 1'
SCRIPT
run "$dir/calls/play.scn"
[ "$status" -eq 0 ] || fail "line play from another directory: status $status: $(cat "$dir/err")"

printf 'start\nexpect %s\n' "'port open COM9'" >"$dir/expect.scn"
run "$dir/expect.scn"
[ "$status" -eq 1 ] || fail "failed expect: status $status"
grep -q "expect.scn:2: expect \"port open COM9\" failed" "$dir/err" || fail "failed expect: $(cat "$dir/err")"
grep -q "desktop tray add" "$dir/err" || fail "failed expect does not show the lines it checked"

printf 'start\nwait soon\n' >"$dir/parse.scn"
run "$dir/parse.scn"
[ "$status" -eq 2 ] || fail "unparsable script: status $status"
[ ! -s "$dir/out" ] || fail "unparsable script ran: $(cat "$dir/out")"
grep -q "parse.scn:2:" "$dir/err" || fail "unparsable script: $(cat "$dir/err")"

printf 'start\nmenu "Version"\n' >"$dir/menu.scn"
run "$dir/menu.scn"
[ "$status" -eq 2 ] || fail "menu without a popup: status $status"
grep -q "menu.scn:2: no popup menu is open" "$dir/err" || fail "menu without a popup: $(cat "$dir/err")"

printf 'instance running\nstart\nkey "1"\n' >"$dir/ended.scn"
run "$dir/ended.scn"
[ "$status" -eq 2 ] || fail "event after the end: status $status"

# A name that leaves the program's folder is refused before anything runs: the temporary
# directory the folder is made in keeps its files.
mkdir "$dir/tmp"
: >"$dir/tmp/keep"
printf 'file ..\000x absent\nshow "..\\x00y"\n' >"$dir/escape.scn"
status=0
(cd / && TMPDIR="$dir/tmp" "$sim" "$dir/escape.scn") >"$dir/out" 2>"$dir/err" || status=$?
[ "$status" -eq 2 ] || fail "file name leaving the folder: status $status"
[ -e "$dir/tmp/keep" ] || fail "file name leaving the folder removed the temporary directory"
grep -q "escape.scn:1: '..\\\\x00x' is not a plain file name" "$dir/err" ||
  fail "file name leaving the folder: $(cat "$dir/err")"

# A regex that would expand exponentially is refused at once.
printf "start\nexpect ~ 'a%s'\n" "$(printf '+%.0s' $(seq 40))" >"$dir/regex.scn"
run "$dir/regex.scn"
[ "$status" -eq 2 ] || fail "exponential regex: status $status"
grep -q "regex.scn:2: .* repeats too much" "$dir/err" || fail "exponential regex: $(cat "$dir/err")"

# The transcript must arrive: a full disk or a pipe nobody reads fails the run with 3.
status=0
"$sim" "$dir/expect.scn" >/dev/full 2>"$dir/err" || status=$?
[ "$status" -eq 3 ] || fail "transcript to a full disk: status $status"
grep -q "^dorvane-sim: cannot write to standard output" "$dir/err" ||
  fail "transcript to a full disk: $(cat "$dir/err")"
status=0
python3 -c 'import os, subprocess, sys
r, w = os.pipe()
os.close(r)
sys.exit(subprocess.call(sys.argv[1:], stdout=w))' "$sim" "$dir/calls/play.scn" 2>"$dir/err" ||
  status=$?
[ "$status" -eq 3 ] || fail "transcript to a closed pipe: status $status"
[ "$(wc -l <"$dir/err")" -eq 1 ] || fail "transcript to a closed pipe: $(cat "$dir/err")"

status=0
"$sim" --frobnicate >"$dir/out" 2>"$dir/err" || status=$?
[ "$status" -eq 2 ] && [ "$(cat "$dir/err")" = "dorvane-sim: expected one SCRIPT (try --help)" ] ||
  fail "unknown option: status $status: $(cat "$dir/err")"
"$sim" --help | grep -q '^usage: dorvane-sim SCRIPT' || fail "--help"

run "$dir/missing.scn"
[ "$status" -eq 2 ] || fail "missing script: status $status"

exit $failed
