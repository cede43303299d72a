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
