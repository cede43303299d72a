#!/usr/bin/env bash
# Builds the libFuzzer targets (tests/fuzz/, the fuzz preset: clang with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for SECONDS (default 5), starting from a corpus
# seeded with the project's own scenarios and files. The corpora grow in build/fuzz/corpus/;
# an input that fails is kept in build/fuzz/findings/ and the script exits 1.
#   fuzz.sh [SECONDS] [TARGET...]      e.g. fuzz.sh 600 settings modem_pieces
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
  targets=(script_parser scenario_world settings phone_list modem_pieces property_stream
           property_bag netstring)

bash scripts/install-deps.sh clang libclang-rt-dev
cmake --preset fuzz >/dev/null
if ! cmake --build build/fuzz --target "${targets[@]/#/fuzz_}" -j "$(nproc)" >build/fuzz/build.log; then
  cat build/fuzz/build.log
  exit 1
fi

corpus=build/fuzz/corpus
findings=build/fuzz/findings
mkdir -p "$findings"
for target in "${targets[@]}"; do mkdir -p "$corpus/$target"; done
python3 tests/fuzz/seed_corpora.py tests/scenarios "$corpus"

declare -A max_len=([script_parser]=4096 [scenario_world]=4096 [settings]=1024
                    [phone_list]=2048 [modem_pieces]=2048 [property_stream]=64
                    [property_bag]=256 [netstring]=4096)
# baresip's recorded streams seed the netstring reader.
cp -n tests/sip/recordings/* "$corpus/netstring/" 2>/dev/null || true
failed=0
for target in "${targets[@]}"; do
  echo "== fuzz_$target for ${seconds}s"
  if ! build/fuzz/tests/fuzz/fuzz_"$target" "$corpus/$target" -max_total_time="$seconds" \
      -max_len="${max_len[$target]:-4096}" -timeout=20 -rss_limit_mb=2048 \
      -artifact_prefix="$findings/$target-" -print_final_stats=1 2>"build/fuzz/$target.log"; then
    tail -n 40 "build/fuzz/$target.log"
    echo "FAIL: fuzz_$target found an input that fails: see $findings/" >&2
    failed=1
  else
    grep -E '^stat::number_of_executed_units' "build/fuzz/$target.log" || true
  fi
done
exit $failed
