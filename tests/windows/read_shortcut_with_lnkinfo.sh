#!/usr/bin/env bash
# Reads the program's startup shortcut, as windows_tests.exe writes it, with Debian's lnkinfo,
# which shares no code with Windows or Wine. Usage: read_shortcut_with_lnkinfo.sh windows_tests.exe
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"
command -v lnkinfo >/dev/null || { echo "lnkinfo is missing (package liblnk-utils)" >&2; exit 77; }

calmora_wine_prefix
copy=$(mktemp)
trap 'rm -f "$copy"' EXIT
CALMORA_SHORTCUT_COPY=$(winepath -w "$copy" 2>/dev/null) \
  wine "$1" --gtest_filter=StartupShortcutTest.IsCopiedOutForAnOutsideReader >/dev/null
info=$(lnkinfo "$copy")
exe=$(winepath -w "$(realpath "$1")" 2>/dev/null)
folder=${exe%\\*}

failures=0
while IFS='|' read -r name expected; do
  actual=$(sed -n "s/^[[:space:]]*$name[[:space:]]*: //p" <<<"$info" | head -n 1)
  if [ "$actual" != "$expected" ]; then
    echo "$name: expected '$expected', lnkinfo read '$actual'" >&2
    failures=1
  fi
done <<EOF
Local path|$exe
Icon location|$exe
Icon index|0
Description|Show a message to the User from the PC Tech.
Working directory|$folder
EOF
[ "$failures" -eq 0 ] || { echo "$info" >&2; exit 1; }
