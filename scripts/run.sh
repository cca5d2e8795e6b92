#!/usr/bin/env bash
# Builds Calmora.exe and starts it under Wine: on your display when there is one, otherwise on a
# virtual display, where it takes a screenshot, says where it is, and ends the program.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Calmora

source scripts/wine-env.sh
calmora_wine_prefix
exe=build/windows/bin/Calmora.exe

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec wine "$exe"
fi

calmora_virtual_display
trap 'wineserver -k 2>/dev/null || true; calmora_stop_virtual_display' EXIT
wine "$exe" &
sleep 4
mkdir -p build/screenshots
/usr/bin/import -window root -crop 800x600+240+212 build/screenshots/calmora.png
echo "Calmora ran on the virtual display $DISPLAY; screenshot: build/screenshots/calmora.png"
