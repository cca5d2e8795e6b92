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
cmake --build "$build" --target Calmora

# wixl reads its sources relative to the .wxs file: gather everything in one folder.
stage=$build/installer
rm -rf "$stage"
mkdir -p "$stage"
cp packaging/installer/calmora.wxs packaging/calmora.ico "$build/bin/Calmora.exe" \
  "$build/generated/calmora_version.wxi" "$stage/"
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

# Uninstalling removes the Startup shortcut that Calmora's Options made for the uninstalling user:
# left behind, it would try to start a removed program at every login. wixl has no RemoveFile
# element, so the row goes in here. Its folder is a property set only when the product is really
# going away. When a newer version replaces this one, Windows Installer removes this one with
# UPGRADINGPRODUCTCODE set: the property stays empty, the row names no folder, and the user keeps
# the shortcut, which goes on starting the new Calmora.exe at the same path. The property must be
# set before costing starts.
sql=(
  "INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('FindUserStartupFolder', 51, 'UserStartupFolder', '[AppDataFolder]Microsoft\\Windows\\Start Menu\\Programs\\Startup\\')"
  "INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('FindUserStartupFolder', 'NOT UPGRADINGPRODUCTCODE', 790)"
  "INSERT INTO RemoveFile (FileKey, Component_, FileName, DirProperty, InstallMode) VALUES ('RemoveUserStartupShortcut', 'Program', 'CALMOR~1.LNK|Calmora - Display a Message from a Support Person.lnk', 'UserStartupFolder', 2)"
)
# A package rebuilt at the same version (say, now with the font) has a product code of its own:
# it replaces an installed Calmora of that version instead of going in beside it as a second one.
# wixl's MajorUpgrade takes only older versions: its row is written again to take its own version
# as well (513: migrate features, maximum version included).
sql+=(
  "DELETE FROM Upgrade WHERE ActionProperty = 'WIX_UPGRADE_DETECTED'"
  "INSERT INTO Upgrade (UpgradeCode, VersionMax, Attributes, ActionProperty) VALUES ('$(property UpgradeCode)', '$(property ProductVersion)', 513, 'WIX_UPGRADE_DETECTED')"
)
# REMOVE_FROM_STARTUP_ON_LOGIN: the setting is written only when the property is given (the
# condition), kept by every uninstall and upgrade (attributes 20: permanent, registry key path),
# and handed on to the installation's elevated part (secure). Anything but exactly Yes or No,
# which Calmora compares case by case, is refused rather than stored.
sql+=(
  "UPDATE Component SET Condition = 'REMOVE_FROM_STARTUP_ON_LOGIN', Attributes = 20 WHERE Component = 'FleetSetting'"
  "UPDATE Property SET Value = '$(property SecureCustomProperties);REMOVE_FROM_STARTUP_ON_LOGIN' WHERE Property = 'SecureCustomProperties'"
  "INSERT INTO LaunchCondition (Condition, Description) VALUES ('NOT REMOVE_FROM_STARTUP_ON_LOGIN OR REMOVE_FROM_STARTUP_ON_LOGIN = \"Yes\" OR REMOVE_FROM_STARTUP_ON_LOGIN = \"No\"', 'REMOVE_FROM_STARTUP_ON_LOGIN must be exactly Yes or No.')"
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
