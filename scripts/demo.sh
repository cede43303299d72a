#!/usr/bin/env bash
# Dials "*001#" into a sound file and lets the detector hear it as a sound card would.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
keys=${1:-'*001#'}
declare -A low=([1]=697 [2]=697 [3]=697 [A]=697 [4]=770 [5]=770 [6]=770 [B]=770
                [7]=852 [8]=852 [9]=852 [C]=852 ['*']=941 [0]=941 ['#']=941 [D]=941)
declare -A high=([1]=1209 [2]=1336 [3]=1477 [A]=1633 [4]=1209 [5]=1336 [6]=1477 [B]=1633
                 [7]=1209 [8]=1336 [9]=1477 [C]=1633 ['*']=1209 [0]=1336 ['#']=1477 [D]=1633)
parts=()
for ((i = 0; i < ${#keys}; i++)); do
  key=${keys:i:1}
  sox -n -r 11025 -c 1 -b 16 "$work/$i.wav" synth 0.1 sine "${low[$key]}" sine "${high[$key]}" \
    remix 1-2 vol 0.4 pad 0 0.15
  parts+=("$work/$i.wav")
done
sox "${parts[@]}" "$work/dial.wav"

echo "Dialled $keys into a sound file; the control reports:"
build/native/tools/tonvex-scan/tonvex-scan "$work/dial.wav"
echo "Keys heard: $(build/native/tools/tonvex-scan/tonvex-scan --keys "$work/dial.wav")"
