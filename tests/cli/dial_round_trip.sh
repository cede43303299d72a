#!/bin/sh
# tonvex-dial writes what tonvex-scan hears back; a refused dial writes nothing; output that
# cannot be written fails both tools.
# usage: dial_round_trip.sh TONVEX_DIAL TONVEX_SCAN
set -eu
dial=$1
scan=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failed=0
fail() {
  echo "FAIL: $*" >&2
  failed=1
}

all='0123456789ABCD*#'
"$dial" --gap=60 --out="$dir/all.wav" "$all"
keys=$("$scan" --keys "$dir/all.wav")
[ "$keys" = "$all" ] || fail "live scan heard '$keys'"
keys=$("$scan" --keys --frames "$dir/all.wav")
[ "$keys" = "$all" ] || fail "frame scan heard '$keys'"

"$dial" --gap=60 "$all" >"$dir/piped.wav"
cmp -s "$dir/all.wav" "$dir/piped.wav" || fail "standard output differs from --out"
keys=$("$dial" --gap=60 "$all" | "$scan" --keys -)
[ "$keys" = "$all" ] || fail "scan of the piped dial heard '$keys'"

status=0
"$dial" --gap=60 --out="$dir/bad.wav" '12x3' >"$dir/bad.out" 2>"$dir/bad.err" || status=$?
[ "$status" -eq 2 ] || fail "invalid symbol: exit status $status"
[ ! -e "$dir/bad.wav" ] || fail "invalid symbol: a file was written"
[ ! -s "$dir/bad.out" ] || fail "invalid symbol: something went to standard output"
[ "$(wc -l <"$dir/bad.err")" -eq 1 ] || fail "invalid symbol: not one line on standard error"
grep -q "'x' at position 3" "$dir/bad.err" || fail "invalid symbol: $(cat "$dir/bad.err")"

status=0
"$dial" 'a' >"$dir/bad.out" 2>/dev/null || status=$?
[ "$status" -eq 2 ] && [ ! -s "$dir/bad.out" ] || fail "lower-case a: status $status or output"

for args in "--gap=x 1" "--bogus 1" ""; do
  status=0
  # shellcheck disable=SC2086
  "$dial" $args >/dev/null 2>"$dir/usage.err" || status=$?
  [ "$status" -eq 2 ] || fail "'$args': exit status $status"
  [ "$(wc -l <"$dir/usage.err")" -eq 1 ] && grep -q '^tonvex-dial: .*(try --help)$' "$dir/usage.err" ||
    fail "'$args': not one line with a hint: $(cat "$dir/usage.err")"
done
"$dial" --help | grep -q '^usage: tonvex-dial' || fail "--help"

# Output that cannot be written is a failure: a full disk, a pipe nobody reads.
closed_pipe() {  # COMMAND...: runs it with standard output on a pipe whose reader has gone
  python3 -c 'import os, subprocess, sys
r, w = os.pipe()
os.close(r)
sys.exit(subprocess.call(sys.argv[1:], stdout=w))' "$@"
}
output_fails() {  # NAME full|pipe COMMAND...: the command must fail with one line saying so
  name=$1
  target=$2
  shift 2
  status=0
  if [ "$target" = full ]; then
    "$@" >/dev/full 2>"$dir/out.err" || status=$?
  else
    closed_pipe "$@" 2>"$dir/out.err" || status=$?
  fi
  [ "$status" -eq 1 ] || fail "$name to a $target output: exit status $status"
  [ "$(wc -l <"$dir/out.err")" -eq 1 ] && grep -q "cannot write to standard output" "$dir/out.err" ||
    fail "$name to a $target output: $(cat "$dir/out.err")"
}
for target in full pipe; do
  output_fails dial "$target" "$dial" '*001'
  output_fails scan "$target" "$scan" "$dir/all.wav"
done

exit "$failed"
