#!/usr/bin/env bash
# Fails when a file includes a header from a folder that its own folder may not use.
#
# The build enforces the same rules: each folder's library sees only the headers of the libraries
# it links (see CMakeLists.txt). This script also reads what the compiler cannot judge: an include
# that the compiler finds relative to the including file, which no include root governs.
#
# The rules are written per folder in the manner of Chromium's DEPS include_rules: "+dir" lets the
# folder's files include headers from dir, "-dir" forbids it. A folder may always include its own
# headers, the most specific rule wins, and what no rule allows is forbidden. A folder's rules also
# hold for the folders below it that have none of their own. Folders without rules (tests/) are
# not checked. Both include forms are read: "..." always, and <...> when it names a folder of the
# repository (<windows.h> and <gtest/gtest.h> are not ours). Headers are named from the
# repository's root, so no include may contain "." or "..".
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

declare -A include_rules=(
  [platform]="-platform/win32"
  [platform/win32]="+platform"
  [store]="+platform -platform/win32"
  [settings]="+platform -platform/win32"
  [startup]="+platform -platform/win32"
  [font]="+platform -platform/win32"
  [controls]=""
  [controls/label3d]="+controls +platform -platform/win32 -controls/label3d/win32"
  [controls/label3d/win32]="+controls +platform"
  [packaging]=""
  [app]="+store +settings +startup +font +controls +platform +packaging -packaging/installer -packaging/test_bundle"
  [login]="+store +settings +startup +platform +packaging -packaging/installer -packaging/test_bundle"
  [packaging/installer/startup_cleanup]="+startup -packaging/installer/startup_cleanup/win32"
  [packaging/installer/startup_cleanup/win32]="+packaging/installer/startup_cleanup +startup +platform/win32"
  [packaging/test_bundle/win32]="+packaging/test_bundle +platform/win32"
)

# The nearest folder above `file` that has rules; nothing when none has.
rules_folder() {
  local dir=$1
  while [[ $dir == */* ]]; do
    dir=${dir%/*}
    if [[ -v include_rules[$dir] ]]; then
      echo "$dir"
      return
    fi
  done
}

allowed() {
  local folder=$1 header=$2 best="" verdict="-" rule dir
  for rule in "+$folder" ${include_rules[$folder]}; do
    dir=${rule:1}
    if [[ $header == "$dir"/* ]] && ((${#dir} > ${#best})); then
      best=$dir
      verdict=${rule:0:1}
    fi
  done
  [ "$verdict" = "+" ]
}

source scripts/source-files.sh
# Read whole first, so that a failing lister fails the script.
files=$(calmora_sources)

failures=0
checked=0
while IFS= read -r file; do
  folder=$(rules_folder "$file")
  [ -n "$folder" ] && [ -f "$file" ] || continue
  checked=$((checked + 1))
  # Each include as its form and what it names: "header or <header.
  while IFS= read -r include; do
    header=${include:1}
    if [[ $include == '<'* ]] && ! [[ $header == */* && -d ${header%%/*} ]]; then continue; fi
    if [[ /$header/ == */../* || /$header/ == */./* || $header == *//* ]]; then
      echo "$file includes $header: headers are named from the repository's root," \
        "without . or .." >&2
      failures=1
    elif ! allowed "$folder" "$header"; then
      echo "$file includes $header: $folder/ may include only its own headers and:" \
        "${include_rules[$folder]:-nothing else}" >&2
      failures=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*\(["<][^">]*\)[">].*/\1/p' "$file")
done <<<"$files"

if [ "$checked" -eq 0 ]; then
  echo "check-layering.sh: read no source file; nothing was checked" >&2
  exit 1
fi
exit "$failures"
