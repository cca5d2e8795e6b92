#!/usr/bin/env bash
# Fails when a file includes a header from a folder that its own folder may not use.
#
# The rules are written per folder in the manner of Chromium's DEPS include_rules: "+dir" lets the
# folder's files include headers from dir, "-dir" forbids it. A folder may always include its own
# headers, the most specific rule wins, and what no rule allows is forbidden. A folder's rules also
# hold for the folders below it that have none of their own. Folders without rules (tests/) are
# not checked.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

declare -A include_rules=(
  [platform]="-platform/win32"
  [platform/win32]="+platform"
  [store]="+platform -platform/win32"
  [settings]="+platform -platform/win32"
  [startup]="+platform -platform/win32"
  [font]="+platform -platform/win32"
  [controls]="+platform -platform/win32"
  [controls/label3d]="+controls +platform -platform/win32 -controls/label3d/win32"
  [controls/label3d/win32]="+controls +platform"
  [app]="+store +settings +startup +font +controls +platform +packaging -packaging/installer"
  [packaging/installer/startup_cleanup]="+startup -packaging/installer/startup_cleanup/win32"
  [packaging/installer/startup_cleanup/win32]="+packaging/installer/startup_cleanup +startup +platform/win32"
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

failures=0
while IFS= read -r file; do
  folder=$(rules_folder "$file")
  [ -n "$folder" ] || continue
  while IFS= read -r header; do
    if ! allowed "$folder" "$header"; then
      echo "$file includes $header: $folder/ may include only its own headers and:" \
        "${include_rules[$folder]}" >&2
      failures=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
exit "$failures"
