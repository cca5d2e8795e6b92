#!/usr/bin/env bash
# Builds and runs every test: the host unit tests natively, then the Windows-side tests and the
# end-to-end tests of the real Calmora.exe under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh
scripts/check-format.sh
scripts/check-layering.sh

cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host

cmake --preset windows >/dev/null
cmake --build --preset windows

source scripts/wine-env.sh
calmora_wine_prefix
calmora_virtual_display
cleanup() {
  wineserver -k 2>/dev/null || true
  calmora_stop_virtual_display
}
trap cleanup EXIT
# One wineserver for the whole run: every Wine start then costs a fraction of a second. Wine's
# background services start with the first program and live as long as the server: started
# here, they hold no pipe of CTest's open.
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1
rm -rf build/windows/screenshots
ctest --preset windows
scripts/screenshots-to-png.sh build/windows/screenshots
