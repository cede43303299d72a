#!/usr/bin/env bash
# Benchmark, not a test: the program on "ours" calling "theirs" (call_session.sh) CALLS times.
#   (a) from the end of the last key of "*001" in the line to the INVITE reaching theirs;
#   (b) from theirs hanging up to "ATH" on the modem;
#   (c) the processor time of the program and of ours afterwards, idle for IDLE seconds.
#   call_benchmark.sh [CALLS [IDLE]]   (from a build: DORVANE_BIN, DORVANE_SOURCE, TONVEX_DIAL as
#                                       for the roads)
# shellcheck source=../linux/desktop_session.sh
source "$DORVANE_SOURCE/tests/linux/desktop_session.sh"
export CALL_PORT_BASE=${CALL_PORT_BASE:-15700}
# shellcheck source=call_session.sh
source "$DORVANE_SOURCE/tests/sip/call_session.sh"
calls=${1:-50} idle=${2:-60}

start_display
start_sound
start_modem
sox -n -r 8000 -c 1 -b 16 "$work/quiet.wav" trim 0 600
start_agents "$work/quiet.wav"
start_bridge

"$TONVEX_DIAL" --gap=80 --out="$work/dial.wav" '*001'
# The file ends where the last key ends.
length=$(soxi -D "$work/dial.wav")
now() { date +%s.%N; }

# The line as the program hears it: its monitor in 10 ms blocks, the wall clock written each time
# a sound ends (a block with sound followed by a quiet one).
parec --device=line.monitor --raw --format=s16le --rate=8000 --channels=1 --latency-msec=10 \
  2>/dev/null |
  python3 -u -c '
import array, sys, time
loud = False
with open(sys.argv[1], "a", buffering=1) as ends:
    while True:
        block = sys.stdin.buffer.read(160)
        if len(block) < 160:
            break
        peak = max(abs(v) for v in array.array("h", block))
        if loud and peak < 300:
            ends.write(f"{time.time():.6f}\n")
        loud = peak >= 300
' "$work/sound-ends.txt" &
pids+=($!)
wait_until 10 "the line's watcher" bash -c "pactl list source-outputs | grep -qF parec"
event_time() { theirs_events | grep -F "\"type\":\"$1\"" | head -1 | cut -d' ' -f1; }
last_key_end() { awk -v b="$1" '$1 > b && ++n == 4 {print $1; found = 1} END {exit !found}' \
  "$work/sound-ends.txt"; }
ath_count() { grep -cxF ATH "$work/modem.log" || true; }

for ((call = 1; call <= calls; call++)); do
  mark_theirs
  before=$(now)
  paplay --device=line --latency-msec=20 "$work/dial.wav"
  after=$(now)
  wait_until 30 "call $call" theirs_saw CALL_INCOMING
  invite=$(event_time CALL_INCOMING)
  # The program may dial before the last key has ended: its fourth sound is "1".
  wait_until 10 "the last key's end" last_key_end "$before"
  key_end=$(last_key_end "$before")
  theirs accept
  wait_until 10 "call $call answered" theirs_saw CALL_ESTABLISHED
  wait_until 10 "the search stopped for call $call" not_searching
  # A held call of random length, since the supervision looks every Timer2 period.
  sleep "$((RANDOM % 5000))e-3"
  hung_up_before=$(ath_count)
  theirs hangup
  until [ "$(ath_count)" -gt "$hung_up_before" ]; do sleep 0.005; done
  ath=$(now)
  wait_until 10 "call $call closed" theirs_saw CALL_CLOSED
  closed=$(event_time CALL_CLOSED)
  echo "$before $after $key_end $invite $closed $ath" >>"$work/calls.txt"
  wait_until 20 "the search after call $call" searching
done

python3 - "$work/calls.txt" "$length" <<'PY'
import statistics
import sys

length = float(sys.argv[2])
rows = [[float(x) for x in line.split()] for line in open(sys.argv[1])]


def show(name, values):
    values = sorted(v * 1000 for v in values)
    p95 = values[min(len(values) - 1, int(round(0.95 * len(values))) - 1)]
    print(f"{name}: n={len(values)} median={statistics.median(values):.0f} ms "
          f"p95={p95:.0f} ms max={values[-1]:.0f} ms min={values[0]:.0f} ms")


show("last key's end in the line's monitor to INVITE at theirs (negative: dialled before it)",
     [invite - key_end for before, after, key_end, invite, closed, ath in rows])
# Playback starts after paplay does and drains before it ends: the key ended between the two.
show("bounds check: paplay start + file length to INVITE (upper bound)",
     [invite - (before + length) for before, after, key_end, invite, closed, ath in rows])
show("bounds check: paplay exit to INVITE (lower bound)",
     [invite - after for before, after, key_end, invite, closed, ath in rows])
show("theirs hanging up to ATH",
     [ath - closed for before, after, key_end, invite, closed, ath in rows])
PY

ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }
sleep 5
program0=$(cpu "$program_pid") ours0=$(cpu "$ours_pid") start=$(now)
sleep "$idle"
end=$(now)
for who in program:"$program_pid":"$program0" ours:"$ours_pid":"$ours0"; do
  IFS=: read -r name pid first <<<"$who"
  awk -v n="$name" -v a="$(cpu "$pid")" -v b="$first" -v t="$ticks" -v s="$start" -v e="$end" \
    'BEGIN {printf "idle processor, %s: %.2f s in %.0f s = %.3f %% of one core\n", n,
            (a - b) / t, e - s, 100 * (a - b) / t / (e - s)}'
done
echo "resident memory of the program: $(awk '/VmRSS/ {print $2}' "/proc/$program_pid/status") kB"
