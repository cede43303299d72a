#!/usr/bin/env bash
# Runs the whole Windows suite N times in a row, two tests at a time, and prints how many runs
# were green. With --busy, a spin loop keeps one core busy throughout.
#   tests/win32/repeat.sh N [--busy]
# Builds nothing: run scripts/test.sh (or the win32 build) first. Each run's output is kept in
# build/repeat/run-K.log.
set -euo pipefail
cd "$(dirname "$0")/../.."

runs=${1:-}
busy=false
[ "${2:-}" = --busy ] && busy=true
if ! [[ "$runs" =~ ^[1-9][0-9]*$ ]] || { [ $# -eq 2 ] && ! $busy; } || [ $# -gt 2 ]; then
  echo "usage: tests/win32/repeat.sh N [--busy]" >&2
  exit 2
fi

if [ "${TONVEX_WINE_ARCH:-}" = win64 ] || ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  preset=win64
  export TONVEX_WINE_ARCH=win64
else
  preset=win32
fi
[ -f "build/$preset/CTestTestfile.cmake" ] || {
  echo "repeat.sh: no build/$preset; run scripts/test.sh first" >&2
  exit 2
}

logs=build/repeat
mkdir -p "$logs"
spinner=""
stop() {
  if [ -n "$spinner" ]; then kill "$spinner" 2>/dev/null || true; fi
  tests/win32/winerun.sh --down
}
trap stop EXIT
tests/win32/winerun.sh --up
if $busy; then
  (while :; do :; done) &
  spinner=$!
fi

green=0
for run in $(seq "$runs"); do
  if ctest --preset "$preset" -j 2 >"$logs/run-$run.log" 2>&1; then
    green=$((green + 1))
    echo "run $run: green"
  else
    echo "run $run: red ($(grep -E '^\s+[0-9]+ - ' "$logs/run-$run.log" | sed 's/^ *//' | tr '\n' ' '))"
  fi
done
echo "$green of $runs runs green$($busy && echo ', one core busy')"
[ "$green" -eq "$runs" ]
