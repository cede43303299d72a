#!/usr/bin/env bash
# Every test: the native build with its unit and tool tests, the unit tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz targets for a few seconds each, the
# Linux program dorvane on real devices (a pty modem line, a PulseAudio server of the tests' own)
# and under Xvfb with its Debian package checked extracted, then TONVEX.OCX cross-built for
# 32-bit Windows and tested under Wine (on a 64-bit-only machine, through the 64-bit test build).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --win32 --linux

jobs=$(nproc)
for preset in native native-sanitize; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

# The parsers and the simulated world under libFuzzer, a few seconds each (scripts/fuzz.sh).
echo "== fuzz"
bash scripts/fuzz.sh 5

echo "== linux"
cmake --preset linux >/dev/null
cmake --build --preset linux -j "$jobs" --target linux_tests
ctest --preset linux -j "$jobs"
(cd build/linux && cpack >/dev/null)
bash tests/linux/check_package.sh build/linux/dorvane.deb

echo "== win32"
# Wine runs 32-bit Windows code in 32-bit processes. On a machine whose kernel runs 64-bit user
# code only, TONVEX.OCX is still built, with the natively built generators, and its tests run
# on the same sources built for 64-bit Windows, under 64-bit Wine.
if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  preset=win32
  cmake --preset win32 -DTONVEX_HOST_BUILD_DIR= >/dev/null
  cmake --build --preset win32 -j "$jobs"
else
  echo "This machine runs no 32-bit programs: the Windows tests run on the 64-bit test build."
  preset=win64
  export TONVEX_WINE_ARCH=win64
  # The deliverables as the README builds them (generators built in build/win32/host); the
  # test build takes the native ones.
  cmake --preset win32 -DTONVEX_HOST_BUILD_DIR= >/dev/null
  cmake --build --preset win32 -j "$jobs"
  cmake --preset win64 -DTONVEX_HOST_BUILD_DIR="$PWD/build/native" >/dev/null
  cmake --build --preset win64 -j "$jobs"
fi
# Display, sound server and Wine prefix first, outside any captured pipe.
tests/win32/winerun.sh --up
# The release test brings up the 64-bit prefix as well.
trap 'tests/win32/winerun.sh --down; TONVEX_WINE_ARCH=win64 tests/win32/winerun.sh --down' EXIT
ctest --preset "$preset" -j "$jobs"
# The 32-bit build's release zip, whose 64-bit control runs under 64-bit Wine. Run directly: ctest
# in the 32-bit build would list its other tests by running them, which this machine cannot.
if [ "$preset" != win32 ]; then
  echo "== release zip"
  bash tests/win32/release_zip.sh tests/win32/winerun.sh build/win32/Dorvane-*.zip \
    tests/win32/script_host_automation.vbs
fi
