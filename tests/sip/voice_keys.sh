# Sourced by the whole-call tests, on Linux and under Wine: the keys each side says and what the
# other must hear of them. Needs fail from the script that sources it.
# shellcheck shell=bash
theirs_keys=2580 line_keys=1379

# theirs_voice TONVEX_DIAL WAV: theirs says its keys two seconds after answering and again two
# seconds later, then keeps quiet: ours' player starts meanwhile, and what comes before it is
# lost. baresip ends a call whose source runs out: two minutes outlast every call.
theirs_voice() {
  local keys=$2.keys.wav lead=$2.lead.wav
  "$1" --gap=80 --out="$keys" "$theirs_keys"
  sox -n -r "$(soxi -r "$keys")" -c 1 -b 16 "$lead" trim 0 2
  sox "$lead" "$keys" "$lead" "$keys" -r 8000 -c 1 -b 16 "$2" pad 0 120
}

# heard_both_ways TONVEX_SCAN THEIRS_RECORDINGS SPEAKER_WAV: theirs' recording of the call holds
# the keys played into the line, the handset's speaker theirs' keys.
heard_both_ways() {
  local scan=$1 heard
  heard=$(find "$2" -name '*-dec.wav' | head -1)
  [ -n "$heard" ] || fail "theirs recorded nothing: $(ls "$2")"
  "$scan" --keys "$heard" >"$heard.keys" || fail "tonvex-scan failed on $heard"
  grep -q "$line_keys" "$heard.keys" || fail "theirs heard $(cat "$heard.keys")"
  "$scan" --keys "$3" >"$3.keys" || fail "tonvex-scan failed on $3"
  grep -q "$theirs_keys" "$3.keys" || fail "the speaker played $(cat "$3.keys")"
}
