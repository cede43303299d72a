#!/usr/bin/env bash
# Times three DTMF decoders on the same hour of dialling: tonvex-scan (frame by frame and
# live), a SpanDSP-based decoder and multimon-ng. Each input is converted beforehand: an 8-bit
# 11025 Hz WAV for tonvex-scan, signed 16-bit raw at 8000 Hz for SpanDSP and at 22050 Hz for
# multimon-ng (their input formats).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh multimon-ng hyperfine libspandsp-dev
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" >/dev/null
scan=build/native/tools/tonvex-scan/tonvex-scan
spandsp=build/native/bench/spandsp_dtmf

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
declare -A low=([1]=697 [2]=697 [3]=697 [A]=697 [4]=770 [5]=770 [6]=770 [B]=770
                [7]=852 [8]=852 [9]=852 [C]=852 ['*']=941 [0]=941 ['#']=941 [D]=941)
declare -A high=([1]=1209 [2]=1336 [3]=1477 [A]=1633 [4]=1209 [5]=1336 [6]=1477 [B]=1633
                 [7]=1209 [8]=1336 [9]=1477 [C]=1633 ['*']=1209 [0]=1336 ['#']=1477 [D]=1633)
keys='0123456789ABCD*#'
parts=()
for ((i = 0; i < ${#keys}; i++)); do
  key=${keys:i:1}
  sox -n -r 44100 -c 1 -b 16 "$work/$i.wav" synth 0.1 sine "${low[$key]}" sine "${high[$key]}" \
    remix 1-2 vol 0.4 pad 0 0.125
  parts+=("$work/$i.wav")
done
sox "${parts[@]}" "$work/segment.wav"  # 16 keys in 3.6 s
sox "$work/segment.wav" "$work/hour.wav" repeat 999
sox "$work/hour.wav" -r 11025 -b 8 -e unsigned "$work/hour-11025-u8.wav"
sox "$work/hour.wav" -r 22050 -b 16 -e signed -t raw "$work/hour-22050-s16.raw"
sox "$work/hour.wav" -r 8000 -b 16 -e signed -t raw "$work/hour-8000-s16.raw"
echo "audio: $(soxi -d "$work/hour-11025-u8.wav")"

echo "keys found by tonvex-scan: $("$scan" --frames --keys "$work/hour-11025-u8.wav" | tr -d '\n' | wc -c)"
echo "keys found by SpanDSP:     $("$spandsp" "$work/hour-8000-s16.raw" | wc -l)"
echo "keys found by multimon-ng: $(multimon-ng -q -c -a DTMF -t raw "$work/hour-22050-s16.raw" | grep -c '^DTMF:')"
hyperfine --warmup 1 --runs 5 --export-json "$work/times.json" \
  -n "tonvex-scan --frames" "$scan --frames --keys $work/hour-11025-u8.wav" \
  -n "tonvex-scan (live)" "$scan --keys $work/hour-11025-u8.wav" \
  -n "SpanDSP" "$spandsp $work/hour-8000-s16.raw" \
  -n "multimon-ng" "multimon-ng -q -c -a DTMF -t raw $work/hour-22050-s16.raw"
# Medians, and each decoder's time as a multiple of SpanDSP's.
python3 - "$work/times.json" <<'PY'
import json, statistics, sys
results = json.load(open(sys.argv[1]))["results"]
medians = {r["command"]: statistics.median(r["times"]) for r in results}
base = medians["SpanDSP"]
for name, median in medians.items():
    print(f"{name:22s} median {median:.3f} s  {median / base:.2f} x SpanDSP")
PY
