#!/usr/bin/env bash
# Dorvane's control host on the registered TONVEX.OCX: dial tones played into the "line" sink
# reach the host's DtmfHit handler in order. The control is registered for the run only.
#   host_keys.sh HOST_PROBE TONVEX_DIAL OCX
# shellcheck source=audio_common.sh
source "$(dirname "$0")/audio_common.sh"
probe=$1 dial=$2 ocx=$3
symbols='*0123456789ABCD#'

[ -x "$dial" ] ||
  fail "no $dial; build the native tools: cmake --preset native && cmake --build --preset native"
[ -f "$ocx" ] || fail "no $ocx"
"$dial" --gap=150 --out="$work/keys.wav" "$symbols"
{
  silence 5512
  tail -c +45 "$work/keys.wav"
  silence 5512
} >"$work/line.raw"

unregister() {
  "$winerun" regsvr32 /u /s "$ocx" >/dev/null 2>&1 </dev/null || true
  finish
}
trap unregister EXIT
"$winerun" regsvr32 /s "$ocx" >/dev/null 2>&1 </dev/null || fail "regsvr32 /s $ocx failed"

"$winerun" "$probe" keys "$symbols" 20000 >"$work/probe.log" 2>&1 &
probe_pid=$!
started+=("$probe_pid")
wait_for 20 grep -q "^ready" "$work/probe.log" ||
  fail "the host did not start its search: $(cat "$work/probe.log")"
wait_for 10 records_from "$probe_pid" line.monitor ||
  fail "the control does not record from line.monitor: $(cat "$work/probe.log")"

paplay --device=line --raw --format=u8 --rate=11025 --channels=1 "$work/line.raw"
status=0
wait "$probe_pid" || status=$?
tr -d "\r" <"$work/probe.log"
exit "$status"
