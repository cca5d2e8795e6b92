#!/usr/bin/env bash
# Has windows_tests.exe leave the program's startup shortcut in the Wine prefix's Startup folder,
# then reads that file with Debian's lnkinfo, which shares no code with Windows or Wine, and checks
# the target, icon, description and working folder against the executable that made it.
# Usage: read_shortcut_with_lnkinfo.sh path/to/windows_tests.exe
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"

if ! command -v lnkinfo >/dev/null; then
  echo "lnkinfo is not installed (Debian package liblnk-utils)" >&2
  exit 77
fi

calmora_wine_prefix
exe=$(realpath "$1")
report=$(mktemp)
link=
cleanup() {
  rm -f "$report"
  if [ -n "$link" ]; then rm -f "$link"; fi
}
trap cleanup EXIT

CALMORA_SHORTCUT_REPORT=$(winepath -w "$report" 2>/dev/null) \
  wine "$exe" --gtest_filter=StartupShortcutForOutsideReader.IsLeftInPlaceWhenAsked >/dev/null
link=$(winepath -u "$(tr -d '\r\n' <"$report")" 2>/dev/null)
[ -f "$link" ] || { echo "no shortcut at $link" >&2; exit 1; }

info=$(lnkinfo "$link")
# One "Name : value" line of lnkinfo's summary.
field() { sed -n "s/^[[:space:]]*$1[[:space:]]*: //p" <<<"$info" | head -n 1; }

exe_windows=$(winepath -w "$exe" 2>/dev/null)
failures=0
expect() {
  local actual
  actual=$(field "$1")
  if [ "$actual" != "$2" ]; then
    echo "$1: expected '$2', lnkinfo read '$actual'" >&2
    failures=$((failures + 1))
  fi
}
[ "$(basename "$link")" = "Calmora - Display a Message from a Support Person.lnk" ] ||
  { echo "unexpected file name: $(basename "$link")" >&2; failures=$((failures + 1)); }
expect "Local path" "$exe_windows"
expect "Icon location" "$exe_windows"
expect "Icon index" "0"
expect "Description" "Show a message to the User from the PC Tech."
expect "Working directory" "${exe_windows%\\*}"

if [ "$failures" -ne 0 ]; then
  echo "$info" >&2
  exit 1
fi
echo "lnkinfo reads the shortcut as made: $link"
