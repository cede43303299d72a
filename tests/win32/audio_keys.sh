#!/usr/bin/env bash
# Dial tones played into the "line" sink reach a container as DtmfHit events, in order.
#   audio_keys.sh AUDIO_PROBE TONVEX_DIAL [MODE]
# MODE is the probe's: keys (default), keys-modal or keys-reopened.
# shellcheck source=audio_common.sh
source "$(dirname "$0")/audio_common.sh"
probe=$1 dial=$2 mode=${3:-keys}
symbols='*0123456789ABCD#'

[ -x "$dial" ] ||
  fail "no $dial; build the native tools: cmake --preset native && cmake --build --preset native"
"$dial" --gap=150 --out="$work/keys.wav" "$symbols"
[ "$(head -c 40 "$work/keys.wav" | tail -c 4)" = data ] ||
  fail "tonvex-dial wrote no 44-byte WAV header"
# Silence on both sides: the capture starts wherever the line has got to, and the search must
# hear the last tone end.
{
  silence 5512
  tail -c +45 "$work/keys.wav"
  silence 5512
} >"$work/line.raw"

"$winerun" "$probe" "$mode" "$symbols" 20000 >"$work/probe.log" 2>&1 &
probe_pid=$!
started+=("$probe_pid")
wait_for 20 grep -q "^ready" "$work/probe.log" ||
  fail "the probe did not start its search: $(cat "$work/probe.log")"
wait_for 10 records_from "$probe_pid" line.monitor ||
  fail "the control does not record from line.monitor: $(cat "$work/probe.log")"

paplay --device=line --raw --format=u8 --rate=11025 --channels=1 "$work/line.raw"
status=0
wait "$probe_pid" || status=$?
tr -d "\r" <"$work/probe.log"
exit "$status"
