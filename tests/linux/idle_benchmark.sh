#!/usr/bin/env bash
# Benchmark, not a test: dorvane-testbed with the DTMF search running on a silent line, its
# processor time and resident memory sampled from /proc over a run.
#   idle_benchmark.sh [SECONDS]   (from a build: DORVANE_BIN and DORVANE_SOURCE as for the roads)
source "$(dirname "$0")/desktop_session.sh"
seconds=${1:-600}
start_configured

ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$program_pid/stat"; }
rss() { awk '/VmRSS/ {print $2}' "/proc/$program_pid/status"; }
# Start-up work done: measure from here.
sleep 5
cpu0=$(cpu) rss0=$(rss) start=$(date +%s.%N)
echo "t=0s rss=${rss0}kB"
for ((elapsed = 60; elapsed <= seconds; elapsed += 60)); do
  sleep 60
  echo "t=${elapsed}s cpu=$(awk -v a="$(cpu)" -v b="$cpu0" -v t="$ticks" 'BEGIN {printf "%.2f", (a - b) / t}')s rss=$(rss)kB"
done
end=$(date +%s.%N)
awk -v a="$(cpu)" -v b="$cpu0" -v t="$ticks" -v s="$start" -v e="$end" \
  'BEGIN {printf "processor: %.2f s in %.0f s = %.3f %% of one core\n", (a - b) / t, e - s, 100 * (a - b) / t / (e - s)}'
echo "resident memory: ${rss0} kB at the start, $(rss) kB at the end"
