#!/usr/bin/env bash
# PlayDtmf("123") plays exactly the three tone images and nothing else.
#   audio_playback.sh AUDIO_PROBE
# shellcheck source=audio_common.sh
source "$(dirname "$0")/audio_common.sh"
probe=$1
symbols=123

# A PulseAudio server of this test's own, whose sink does not rewind: when a stream starts on a
# rewinding null sink, the monitor loses the start of it (tens of samples, at times whole tones).
mkdir -m 700 "$work/run"
cat >"$work/speaker.pa" <<PA
load-module module-native-protocol-unix auth-anonymous=1 socket=$work/run/native
load-module module-null-sink sink_name=speaker format=u8 rate=11025 channels=1 norewinds=1
set-default-sink speaker
PA
XDG_RUNTIME_DIR="$work/run" PULSE_STATE_PATH="$work/run" \
  pulseaudio -n -F "$work/speaker.pa" --exit-idle-time=-1 --daemonize=no --use-pid-file=no \
  >"$work/pulse.log" 2>&1 </dev/null &
started+=("$!")
export PULSE_SERVER="unix:$work/run/native" TONVEX_PULSE_SERVER="unix:$work/run/native"
wait_for 10 pactl info >/dev/null 2>&1 || fail "PulseAudio did not start: $(cat "$work/pulse.log")"

parec --device=speaker.monitor --raw --format=u8 --rate=11025 --channels=1 --latency-msec=10 \
  >"$work/speaker.raw" &
recorder=$!
started+=("$recorder")
wait_for 10 test -s "$work/speaker.raw" || fail "parec records nothing from speaker.monitor"

status=0
"$winerun" "$probe" play "$symbols" >"$work/play.log" 2>&1 || status=$?
tr -d '\r' <"$work/play.log"
[ "$status" -eq 0 ] || fail "PlayDtmf"
# Half a second more, so that the end of the last tone is surely recorded.
wait_for 10 reaches "$work/speaker.raw" $(($(stat -c %s "$work/speaker.raw") + 5512)) ||
  fail "the recording stalled"
kill "$recorder"
wait "$recorder" 2>/dev/null || true

"$winerun" "$probe" find "Z:$work/speaker.raw" "$symbols" >"$work/find.log" 2>&1 || status=$?
tr -d '\r' <"$work/find.log"
exit "$status"
