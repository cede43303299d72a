#!/usr/bin/env bash
# Every test: the native build with its unit and tool tests, the unit tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, then TONVEX.OCX cross-built for 32-bit
# Windows and tested under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --win32

jobs=$(nproc)
for preset in native native-sanitize; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

echo "== win32"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
# Display, sound server and Wine prefix first, outside any captured pipe.
tests/win32/winerun.sh --up
trap 'tests/win32/winerun.sh --down' EXIT
ctest --preset win32 -j "$jobs"
