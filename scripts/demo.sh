#!/usr/bin/env bash
# Dials a key sequence into a sound file with tonvex-dial, then lets the detector hear it as it
# would on a sound card input.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" >/dev/null

keys=${1:-'*001#'}
dial=build/native/tools/tonvex-dial/tonvex-dial
scan=build/native/tools/tonvex-scan/tonvex-scan
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$dial" --gap=150 --out="$work/dial.wav" "$keys"
echo "tonvex-dial played \"$keys\" into a sound file; the control's events:"
"$scan" "$work/dial.wav"
echo "Keys heard: $("$scan" --keys "$work/dial.wav")"
