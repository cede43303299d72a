#!/usr/bin/env bash
# tonvex-scan on files made by sox: keys in order (live and frame by frame), the 400 Hz
# cases, resampling and mixing, and the command line's failures.
set -euo pipefail
scan=${1:?usage: scan_test.sh TONVEX-SCAN}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
passed=0

check() {  # name expected actual
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
  else
    echo "FAIL $1: expected [$2], got [$3]"
    failures=$((failures + 1))
  fi
}

# The sixteen keys, 100 ms tones with 100 ms gaps.
declare -A low=([1]=697 [2]=697 [3]=697 [A]=697 [4]=770 [5]=770 [6]=770 [B]=770
                [7]=852 [8]=852 [9]=852 [C]=852 ['*']=941 [0]=941 ['#']=941 [D]=941)
declare -A high=([1]=1209 [2]=1336 [3]=1477 [A]=1633 [4]=1209 [5]=1336 [6]=1477 [B]=1633
                 [7]=1209 [8]=1336 [9]=1477 [C]=1633 ['*']=1209 [0]=1336 ['#']=1477 [D]=1633)
dial() {  # out rate channels keys
  local parts=() i key
  for ((i = 0; i < ${#4}; i++)); do
    key=${4:i:1}
    sox -n -r "$2" -c 1 -b 16 "$work/part$i.wav" synth 0.1 sine "${low[$key]}" sine "${high[$key]}" \
      remix 1-2 vol 0.4 pad 0 0.1
    parts+=("$work/part$i.wav")
  done
  sox "${parts[@]}" -c "$3" "$1"
}

keys='0123456789ABCD*#'
dial "$work/keys.wav" 11025 1 "$keys"
check "live keys" "$keys" "$("$scan" --keys "$work/keys.wav")"
check "frame keys" "$keys" "$("$scan" --frames --keys "$work/keys.wav")"

dial "$work/stereo44.wav" 44100 2 "*001#"
check "resampled stereo keys" "*001#" "$("$scan" --keys "$work/stereo44.wav")"

sox -n -r 11025 -c 1 -b 8 -e unsigned "$work/mixed.wav" synth 1 sine 400 sine 1336 remix 1-2 vol 0.45
check "400 Hz beside 1336 Hz" "" "$("$scan" --keys "$work/mixed.wav")"
check "400 Hz beside 1336 Hz, frames" "" "$("$scan" --frames --keys "$work/mixed.wav")"

sox -n -r 11025 -c 1 -b 8 -e unsigned "$work/p.wav" synth 1 sine 400 vol 0.5
check "400 Hz alone" "P" "$("$scan" --keys "$work/p.wav")"
check "400 Hz alone at its fiftieth frame" "frame=49 DtmfHit KeyCode=80 Key=P" \
  "$("$scan" --frames "$work/p.wav" | cut -d' ' -f1-4)"

check "level search" "t=0.100 LevelHit Level=0" "$("$scan" --level "$work/p.wav" | head -n 1)"

set +e
"$scan" "$work/missing.wav" >/dev/null 2>"$work/err"
check "unreadable file status" 2 $?
grep -q "missing.wav" "$work/err"
check "unreadable file named" 0 $?
"$scan" --sensitivity=301 "$work/p.wav" >/dev/null 2>&1
check "sensitivity out of range" 2 $?
"$scan" --max-second=9 "$work/p.wav" >/dev/null 2>&1
check "max-second out of range" 2 $?
"$scan" --bogus "$work/p.wav" >/dev/null 2>"$work/err"
check "unknown option" 2 $?
check "unknown option: one line with a hint" "tonvex-scan: unknown option --bogus (try --help)" \
  "$(cat "$work/err")"
"$scan" --sensitivity=+5 "$work/p.wav" >/dev/null 2>&1
check "signed sensitivity" 2 $?
# 2 MB at 44 Hz would resample to about 500 million samples: refused before any work.
python3 -c 'import sys, wave
w = wave.open(sys.argv[1], "wb")
w.setnchannels(1); w.setsampwidth(1); w.setframerate(44)
w.writeframes(bytes([128]) * 2000000)' "$work/slow.wav"
"$scan" "$work/slow.wav" >/dev/null 2>"$work/err"
check "huge resampled copy" 2 $?
grep -q "slow.wav: its line at 11025 Hz would hold more than 256 MiB of samples" "$work/err"
check "huge resampled copy named" 0 $?
"$scan" --help | grep -q '^usage: tonvex-scan'
check "help" 0 $?
set -e

# A long file in the line's own format plays straight from the file, read a piece at a time;
# the same samples in a 16-bit file are read whole. The control must hear the same.
dial "$work/long.wav" 11025 1 "$(printf '0123456789ABCD*#%.0s' 1 2 3 4 5 6 7 8 9 10)"
sox "$work/long.wav" -b 8 -e unsigned "$work/long-u8.wav"
sox "$work/long-u8.wav" -b 16 -e signed "$work/long-s16.wav"
check "streamed and whole reading agree" "$("$scan" "$work/long-s16.wav" | md5sum)" \
  "$("$scan" "$work/long-u8.wav" | md5sum)"
check "a long file is heard to its end" 160 "$("$scan" --keys "$work/long-u8.wav" | tr -d '\n' | wc -c)"

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
