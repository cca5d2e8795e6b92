#!/usr/bin/env bash
# Builds Calmora.exe and packs it into a Windows Installer package, Calmora-<version>-x64.msi,
# for installing on many PCs.
#
# Usage: scripts/package.sh [--version X.YY.ZZZZ] [--font PATH] [--out DIR]
#   --version  build as this version instead of the program's own (in its own build folder,
#              build/package/<version>, so the everyday build keeps the program's version)
#   --font     put this file into the package as ELEPHNT.TTF beside Calmora.exe
#   --out      write the package into DIR (default: build/windows/dist)
set -euo pipefail

usage() {
  sed -n 's/^# \{0,1\}//; 5,9p' "${BASH_SOURCE[0]}" >&2
  exit 2
}
fail() {
  echo "package.sh: $*" >&2
  exit 1
}

version="" font="" out=""
while [ $# -gt 0 ]; do
  case $1 in
    --version) [ $# -ge 2 ] || usage; version=$2; shift 2 ;;
    --font) [ $# -ge 2 ] || usage; font=$(realpath -m -- "$2"); shift 2 ;;
    --out) [ $# -ge 2 ] || usage; out=$(realpath -m -- "$2"); shift 2 ;;
    *) usage ;;
  esac
done
# The version names a build folder: take nothing but the form the build accepts.
if [ -n "$version" ] && ! [[ $version =~ ^[0-9]+\.[0-9]{2}\.[0-9]{4}$ ]]; then
  fail "--version must look like 1.00.0006, not '$version'"
fi
if [ -n "$font" ] && ! [ -f "$font" ]; then fail "no font file at $font"; fi

cd "$(dirname "${BASH_SOURCE[0]}")/.."
out=${out:-$PWD/build/windows/dist}
scripts/install-deps.sh

if [ -z "$version" ]; then
  build=build/windows
  cmake --preset windows >/dev/null
else
  build=build/package/$version
  cmake --preset windows -B "$build" -DCALMORA_VERSION="$version" >/dev/null
fi
cmake --build "$build" --target Calmora CalmoraStartupCleanup

# wixl reads its sources relative to the .wxs file: gather everything in one folder.
stage=$build/installer
rm -rf "$stage"
mkdir -p "$stage"
cp packaging/installer/calmora.wxs packaging/calmora.ico "$build/bin/Calmora.exe" \
  "$build/bin/CalmoraStartupCleanup.dll" "$build/generated/calmora_version.wxi" "$stage/"
with_font=no
if [ -n "$font" ]; then
  cp -- "$font" "$stage/ELEPHNT.TTF"
  with_font=yes
fi

# wixl exits 0 even when it has dropped or misread something; what it prints is the check.
msi=$stage/Calmora.msi
if ! (cd "$stage" && wixl -a x64 -D WithFont=$with_font -o Calmora.msi calmora.wxs) \
  >"$stage/wixl.log" 2>&1 || grep -Eqi 'warning|critical|unimplemented' "$stage/wixl.log"; then
  cat "$stage/wixl.log" >&2
  rm -f "$msi"
  fail "wixl could not build the package"
fi

# The rows wixl cannot write go in with msibuild.
property() {
  msiinfo export "$msi" Property | tr -d '\r' | awk -F'\t' -v name="$1" '$1 == name { print $2 }'
}

# A full uninstall runs the custom action that takes Calmora's Startup shortcut out of every
# profile (calmora.wxs), and never a major upgrade: Windows Installer removes the old version with
# UPGRADINGPRODUCTCODE set, and the users keep their shortcuts, which go on starting the new
# Calmora.exe at the same path. It runs before RemoveFiles, while Calmora.exe is still there to
# compare paths with, right after the action that hands it its CustomActionData.
sql=(
  "INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('SetRemoveProfileStartupShortcuts', 'REMOVE=\"ALL\" AND NOT UPGRADINGPRODUCTCODE', 3440)"
  "INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('RemoveProfileStartupShortcuts', 'REMOVE=\"ALL\" AND NOT UPGRADINGPRODUCTCODE', 3450)"
)
# A package rebuilt at the same version (say, now with the font) has a product code of its own:
# it replaces an installed Calmora of that version instead of going in beside it as a second one.
# wixl's MajorUpgrade takes only older versions: its row is written again to take its own version
# as well (513: migrate features, maximum version included).
sql+=(
  "DELETE FROM Upgrade WHERE ActionProperty = 'WIX_UPGRADE_DETECTED'"
  "INSERT INTO Upgrade (UpgradeCode, VersionMax, Attributes, ActionProperty) VALUES ('$(property UpgradeCode)', '$(property ProductVersion)', 513, 'WIX_UPGRADE_DETECTED')"
)
for query in "${sql[@]}"; do
  msibuild "$msi" -q "$query" >>"$stage/msibuild.log" 2>&1 || {
    cat "$stage/msibuild.log" >&2
    fail "msibuild could not change the package: $query"
  }
done

text=$(sed -n 's/^#define CALMORA_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/calmora_version.h")
[ -n "$text" ] || fail "no version in $build/generated/calmora_version.h"
mkdir -p "$out"
mv "$msi" "$out/Calmora-$text-x64.msi"
echo "Package: $out/Calmora-$text-x64.msi"
