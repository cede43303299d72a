#!/usr/bin/env bash
# Dial tones played into the "line" sink reach a container as DtmfHit events, in order.
#   audio_keys.sh AUDIO_PROBE TONVEX_DIAL [MODE]
# MODE is the probe's: keys (default), keys-modal or keys-reopened.
# shellcheck source=audio_common.sh
source "$(dirname "$0")/audio_common.sh"
probe=$1 dial=$2 mode=${3:-keys}
symbols='*0123456789ABCD#'

dial_line "$dial" "$symbols"
probe_hears_line "$probe" "$mode" "$symbols" 20000
