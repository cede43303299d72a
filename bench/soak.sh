#!/usr/bin/env bash
# A day of use in virtual time: every five minutes a call keyed on the handset as audio, a ring
# on the modem line and an accepted invitation, with the control recording all along (its
# capture buffer comes back every 10 s). Prints the run's time, peak memory and what happened.
#   bench/soak.sh [HOURS]      (default 24; the native build must exist)
set -euo pipefail
cd "$(dirname "$0")/.."
hours=${1:-24}
sim=build/native/tools/dorvane-sim/dorvane-sim
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cycles=$((hours * 12))
{
  echo 'messenger contact alice@example.com "Alice"'
  echo 'messenger contact bob@example.com "Bob"'
  echo 'file DVN.ini "2\r\n*0\r\nATD0;\r\n"'
  echo 'file PhoneLst.txt "001,alice@example.com,Alice\r\n002,bob@example.com,Bob\r\n"'
  echo 'start'
  for ((cycle = 0; cycle < cycles; cycle++)); do
    call=$((2 * cycle + 1))
    echo 'wait 500'
    echo 'line dial "*001" gap=120'
    echo 'wait 2000'
    echo "window $call text \"The call has ended.\""
    echo 'wait 5500'
    echo 'modem says "\r\nRING\r\n"'
    echo 'wait 2000'
    echo 'incoming bob@example.com'
    echo 'wait 5100'
    echo "window $((call + 1)) close"
    echo 'wait 284900'
    echo "expect 'messenger window $call Close'"
    echo "expect 'messenger window $((call + 1)) accepted'"
  done
  echo 'state'
  echo "expect 'state InCall=0 DtmfSearchOn=1 Timer1=0 Timer2=0'"
} >"$work/soak.scn"

/usr/bin/time -f '%e s, %M KiB peak' -o "$work/time" "$sim" "$work/soak.scn" >"$work/transcript"
echo "$hours h of virtual time, $cycles cycles: $(cat "$work/time")"
echo "calls started: $(grep -c 'StartVoice' "$work/transcript")," \
  "invitations accepted: $(grep -c 'accepted' "$work/transcript")," \
  "rings answered: $(grep -c 'modem <- "ATH1' "$work/transcript")," \
  "transcript lines: $(wc -l <"$work/transcript")"
