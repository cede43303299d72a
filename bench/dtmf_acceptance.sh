#!/usr/bin/env bash
# Measures what the DTMF detector accepts, beside multimon-ng, and writes
# docs/dtmf-acceptance.md.
#   dtmf_acceptance.sh [BUILD_DIR]   (default: the native preset's build/native)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh multimon-ng
build=${1:-build/native}
[ -n "${1:-}" ] || cmake --preset native >/dev/null
cmake --build "$build" --target tonvex-scan >/dev/null
python3 tests/sweep/dtmf_sweep.py --table docs/dtmf-acceptance.md \
  --scan "$build/tools/tonvex-scan/tonvex-scan"
