#!/usr/bin/env bash
# The end-to-end tests save what the screen showed as BMP files; this turns them into PNG files.
set -euo pipefail
folder=$1
[ -d "$folder" ] || exit 0
shopt -s nullglob
for bmp in "$folder"/*.bmp; do
  /usr/bin/convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
echo "Screenshots: $folder"
