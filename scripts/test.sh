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
# Wine runs 32-bit Windows code in a 32-bit process. A host that runs 64-bit user code only
# still cross-builds everything, with the native generators, but cannot run the tests.
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  cmake --preset win32 -DTONVEX_HOST_BUILD_DIR="$PWD/build/native" >/dev/null
  cmake --build --preset win32 -j "$jobs"
  echo "SKIPPED: the Windows tests. This machine cannot run 32-bit programs (its kernel runs"
  echo "64-bit user code only), so Wine cannot run TONVEX.OCX here; it was built, not tested."
  exit 0
fi
cmake --preset win32 -DTONVEX_HOST_BUILD_DIR= >/dev/null
cmake --build --preset win32 -j "$jobs"
# Display, sound server and Wine prefix first, outside any captured pipe.
tests/win32/winerun.sh --up
trap 'tests/win32/winerun.sh --down' EXIT
ctest --preset win32 -j "$jobs"
