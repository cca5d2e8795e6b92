#!/usr/bin/env bash
# Fails when a C++ file is not laid out as .clang-format says; `--fix` lays them out.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/source-files.sh
listed=$(calmora_sources)
files=()
while IFS= read -r file; do [ -f "$file" ] && files+=("$file"); done <<<"$listed"
[ ${#files[@]} -gt 0 ] || { echo "check-format.sh: no C++ file found" >&2; exit 1; }
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
else
  clang-format --dry-run --Werror "${files[@]}"
fi
