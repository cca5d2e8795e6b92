#!/usr/bin/env bash
# Fails when a C++ file is not laid out as .clang-format says; `--fix` lays them out.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -t listed < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
files=()
for file in "${listed[@]}"; do [ -f "$file" ] && files+=("$file"); done
[ ${#files[@]} -eq 0 ] && exit 0
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
else
  clang-format --dry-run --Werror "${files[@]}"
fi
