#!/bin/sh
# The tone files for the library's WAVE resources: tone_205.wav to tone_220.wav, each heard as
# its own symbol.
# usage: dial_tone_files.sh TONVEX_TONE_IMAGES TONVEX_SCAN
set -eu
images=$1
scan=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failed=0

"$images" "$dir"
id=205
for symbol in 0 1 2 3 4 5 6 7 8 9 A B C D '*' '#'; do
  file="$dir/tone_$id.wav"
  size=$(wc -c <"$file")
  [ "$size" -eq 1284 ] || { echo "FAIL: $file has $size bytes" >&2; failed=1; }
  keys=$("$scan" --keys --frames "$file")
  [ "$keys" = "$symbol" ] || { echo "FAIL: $file heard as '$keys'" >&2; failed=1; }
  id=$((id + 1))
done
[ "$(ls "$dir" | wc -l)" -eq 16 ] || { echo "FAIL: not 16 files" >&2; failed=1; }

exit "$failed"
