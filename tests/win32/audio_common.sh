# shellcheck shell=bash
# Sourced by the audio test scripts: the Wine runner, the PulseAudio environment of its server, a
# scratch folder and a few helpers.
set -euo pipefail

winerun=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/winerun.sh
while IFS= read -r setting; do export "${setting?}"; done < <("$winerun" --env)

work=$(mktemp -d "${TMPDIR:-/tmp}/tonvex-audio.XXXXXX")
started=()
finish() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap finish EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Polls a command every 50 ms until it succeeds; gives up after the given seconds.
wait_for() {
  local seconds=$1
  shift
  local end=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.05
  done
}

# Index of a PulseAudio source by name.
source_index() {
  pactl list short sources | awk -v name="$1" '$2 == name { print $1 }'
}

# Whether the file has grown to the given number of bytes.
reaches() {
  [ "$(stat -c %s "$1")" -ge "$2" ]
}

# Unsigned 8-bit silence: the given number of 128 bytes.
silence() {
  head -c "$1" /dev/zero | tr '\0' '\200'
}

# Whether the process records from the named source, uncorked.
records_from() {
  local pid=$1 source
  source=$(source_index "$2")
  pactl list source-outputs | awk -v pid="\"$pid\"" -v source="$source" '
    /^Source Output #/ { on = 0; corked = 1; mine = 0 }
    /^\tSource: / { on = ($2 == source) }
    /^\tCorked: no/ { corked = 0 }
    /application\.process\.id = / { mine = ($3 == pid) }
    on && !corked && mine { found = 1 }
    END { exit !found }'
}

# The line of a keys test: the symbols dialled by tonvex-dial, with half a second of silence on
# both sides (the capture starts wherever the line has got to, and the search must hear the last
# tone end), as raw samples in $work/line.raw.
dial_line() {
  local dial=$1 symbols=$2
  [ -x "$dial" ] ||
    fail "no $dial; build the native tools: cmake --preset native && cmake --build --preset native"
  "$dial" --gap=150 --out="$work/keys.wav" "$symbols"
  [ "$(head -c 40 "$work/keys.wav" | tail -c 4)" = data ] ||
    fail "tonvex-dial wrote no 44-byte WAV header"
  {
    silence 5512
    tail -c +45 "$work/keys.wav"
    silence 5512
  } >"$work/line.raw"
}

# Runs a probe that prints "ready" once it searches, plays $work/line.raw into the line while it
# records, and exits with the probe's status after printing its log.
probe_hears_line() {
  "$winerun" "$@" >"$work/probe.log" 2>&1 &
  local probe_pid=$!
  started+=("$probe_pid")
  wait_for 20 grep -q "^ready" "$work/probe.log" ||
    fail "the probe did not start its search: $(cat "$work/probe.log")"
  wait_for 10 records_from "$probe_pid" line.monitor ||
    fail "the control does not record from line.monitor: $(cat "$work/probe.log")"
  paplay --device=line --raw --format=u8 --rate=11025 --channels=1 "$work/line.raw"
  local status=0
  wait "$probe_pid" || status=$?
  tr -d "\r" <"$work/probe.log"
  exit "$status"
}
