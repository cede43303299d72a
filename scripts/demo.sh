#!/usr/bin/env bash
# The bridge on the simulated platform: a first run, a call keyed on the handset as audio
# through the real tone detector, and an incoming invitation. Prints the transcript.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" --target dorvane-sim >/dev/null
exec build/native/tools/dorvane-sim/dorvane-sim tests/scenarios/demo.scn
