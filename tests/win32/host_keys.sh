#!/usr/bin/env bash
# Dorvane's control host on the registered TONVEX.OCX: dial tones played into the "line" sink
# reach the host's DtmfHit handler in order. The control is registered for the run only.
#   host_keys.sh HOST_PROBE TONVEX_DIAL OCX
# shellcheck source=audio_common.sh
source "$(dirname "$0")/audio_common.sh"
probe=$1 dial=$2 ocx=$3
symbols='*0123456789ABCD#'

[ -f "$ocx" ] || fail "no $ocx"
dial_line "$dial" "$symbols"

unregister() {
  "$winerun" regsvr32 /u /s "$ocx" >/dev/null 2>&1 </dev/null || true
  finish
}
trap unregister EXIT
"$winerun" regsvr32 /s "$ocx" >/dev/null 2>&1 </dev/null || fail "regsvr32 /s $ocx failed"

probe_hears_line "$probe" keys "$symbols" 20000
