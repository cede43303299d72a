#!/bin/sh
# Reads a picture of the settings dialog as a user would, by OCR, and checks that each field's
# label can be read on it.
# usage: read_labels.sh IMAGE [TEXT...]   (default texts: the three labels)
set -eu
image=$1
shift
[ $# -gt 0 ] || set -- "COM port" "Modem dial number" "Modem command"
read=$(tesseract "$image" - 2>/dev/null)
failed=0
for text in "$@"; do
  printf '%s\n' "$read" | grep -qF "$text" || { echo "FAIL: '$text' not read on $image" >&2; failed=1; }
done
[ $failed -eq 0 ] || { printf 'read:\n%s\n' "$read" >&2; exit 1; }
echo "read on $image: $*"
