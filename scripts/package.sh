#!/usr/bin/env bash
# Builds Calmora.exe and its login companion and packs them into a Windows Installer package,
# Calmora-<version>-x64.msi, for installing on many PCs.
#
# Usage: scripts/package.sh [--version X.YY.ZZZZ] [--font PATH] [--out DIR]
#                           [--sign PFX [--sign-password-file FILE] [--timestamp-url URL]] [--tests]
#   --version  build as this version instead of the program's own (in its own build folder,
#              build/package/<version>, so the everyday build keeps the program's version)
#   --font     put this file into the package as ELEPHNT.TTF beside Calmora.exe
#   --out      write the package into DIR (default: build/windows/dist)
#   --sign     sign Calmora.exe, CalmoraAtLogin.exe and the package with the code-signing
#              certificate and key in this PKCS#12 file; without it the package is unsigned, for
#              testing only
#   --sign-password-file  read the PFX's password from this file, never from the command line
#   --timestamp-url       have this RFC 3161 time-stamp server date both signatures
#   --tests    also write Calmora-<version>-tests.zip: the Windows test bundle, which runs the
#              tests and the package's story on a Windows PC (run-tests.cmd in it)
# Beside the package goes its checksum, <package>.sha256, which `sha256sum -c` checks.
set -euo pipefail

usage() {
  sed -n 's/^# \{0,1\}//; 5,18p' "${BASH_SOURCE[0]}" >&2
  exit 2
}
fail() {
  echo "package.sh: $*" >&2
  exit 1
}

version="" font="" out="" sign="" password_file="" timestamp_url="" tests=""
while [ $# -gt 0 ]; do
  case $1 in
    --version) [ $# -ge 2 ] || usage; version=$2; shift 2 ;;
    --font) [ $# -ge 2 ] || usage; font=$(realpath -m -- "$2"); shift 2 ;;
    --out) [ $# -ge 2 ] || usage; out=$(realpath -m -- "$2"); shift 2 ;;
    --sign) [ $# -ge 2 ] || usage; sign=$(realpath -m -- "$2"); shift 2 ;;
    --sign-password-file) [ $# -ge 2 ] || usage; password_file=$(realpath -m -- "$2"); shift 2 ;;
    --timestamp-url) [ $# -ge 2 ] || usage; timestamp_url=$2; shift 2 ;;
    --tests) tests=yes; shift ;;
    *) usage ;;
  esac
done
# The version names a build folder: take nothing but the form the build accepts.
if [ -n "$version" ] && ! [[ $version =~ ^[0-9]+\.[0-9]{2}\.[0-9]{4}$ ]]; then
  fail "--version must look like 1.00.0006, not '$version'"
fi
if [ -n "$font" ] && ! [ -f "$font" ]; then fail "no font file at $font"; fi
if [ -z "$sign" ] && [ -n "$password_file$timestamp_url" ]; then
  fail "--sign-password-file and --timestamp-url go with --sign"
fi
if [ -n "$sign" ] && ! [ -f "$sign" ]; then fail "no certificate file at $sign"; fi
if [ -n "$password_file" ] && ! [ -r "$password_file" ]; then
  fail "cannot read the password file $password_file"
fi

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

text=$(sed -n 's/^#define CALMORA_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/calmora_version.h")
[ -n "$text" ] || fail "no version in $build/generated/calmora_version.h"
package=$out/Calmora-$text-x64.msi
bundle_zip=$out/Calmora-$text-tests.zip
# From here on the package's name holds this run's finished package or nothing: an earlier
# package (unsigned, perhaps) must not pass for this one when this run fails. The package and its
# checksum are written under temporary names and take their own at the very end.
mkdir -p "$out"
# An earlier test bundle holds an earlier package: it goes too.
rm -f -- "$package" "$package.sha256" "$bundle_zip"
scratch=$(mktemp -d)
trap 'rm -rf -- "$scratch" "$package.partial" "$package.sha256.partial"' EXIT

# Signing (--sign): Authenticode with SHA-256 through osslsigncode, with the certificate and key
# in the PFX, on Calmora.exe before it goes into the package and on the package once it is
# complete. The password comes from a file, never from the command line, where `ps` shows it.
signing=() signer=""
if [ -n "$sign" ]; then
  signing=(-pkcs12 "$sign" -h sha256 -n Calmora)
  password=""
  if [ -n "$password_file" ]; then
    signing+=(-readpass "$password_file")
    # As osslsigncode reads it: the file's text without the line end after it.
    password=$(<"$password_file")
    password=${password%$'\r'}
  fi
  [ -z "$timestamp_url" ] || signing+=(-ts "$timestamp_url")
  # osslsigncode signs with a certificate that has expired, is not valid yet or is for something
  # else than code signing, and Windows then refuses the signature: look at the certificate first
  # (before the build, so that a wrong password fails at once). -legacy reads the older
  # encryption that Windows exports too.
  openssl pkcs12 -legacy -in "$sign" -passin fd:3 -nokeys -clcerts \
    -out "$scratch/certificate.pem" 3<<<"$password" 2>"$scratch/openssl.log" ||
    fail "cannot read $sign: $(cat "$scratch/openssl.log")"
  unset password
  certificate() { openssl x509 -in "$scratch/certificate.pem" -noout "$@" 2>/dev/null; }
  signer=$(certificate -subject) || fail "$sign holds no certificate with its private key"
  signer=${signer#subject=}
  not_before=$(certificate -startdate) not_after=$(certificate -enddate)
  not_before=${not_before#notBefore=} not_after=${not_after#notAfter=}
  certificate -checkend 0 >/dev/null || fail "the certificate of $signer expired on $not_after"
  [ "$(date -d "$not_before" +%s)" -le "$(date +%s)" ] ||
    fail "the certificate of $signer is valid only from $not_before"
  purposes=$(certificate -ext extendedKeyUsage | sed 1d)
  if [ -n "$purposes" ] && ! grep -q 'Code Signing' <<<"$purposes"; then
    fail "the certificate of $signer is not for code signing but for:$purposes"
  fi
fi
# Signs a copy of the file; a failure ends the script with osslsigncode's reason.
signed_copy() { # file, copy
  rm -f -- "$2"
  if ! osslsigncode sign "${signing[@]}" -in "$1" -out "$2" >"$scratch/osslsigncode.log" 2>&1; then
    rm -f -- "$2"
    reason=$(grep -v -e '^Failed$' -e '^$' "$scratch/osslsigncode.log" || true)
    fail "osslsigncode could not sign $(basename "$1"):"$'\n'"$reason"
  fi
}

cmake --build "$build" --target Calmora CalmoraAtLogin CalmoraStartupCleanup

# wixl reads its sources relative to the .wxs file: gather everything in one folder.
stage=$build/installer
rm -rf "$stage"
mkdir -p "$stage"
cp packaging/installer/calmora.wxs packaging/calmora.ico "$build/bin/Calmora.exe" \
  "$build/bin/CalmoraAtLogin.exe" "$build/bin/CalmoraStartupCleanup.dll" \
  "$build/generated/calmora_version.wxi" "$stage/"
# The programs and the clean-up go into the package signed: signed copies, the build's own stay as
# they are.
if [ -n "$sign" ]; then
  signed_copy "$build/bin/Calmora.exe" "$stage/Calmora.exe"
  signed_copy "$build/bin/CalmoraAtLogin.exe" "$stage/CalmoraAtLogin.exe"
  signed_copy "$build/bin/CalmoraStartupCleanup.dll" "$stage/CalmoraStartupCleanup.dll"
fi
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

# The rows wixl cannot write go in with msibuild, as queries in `sql`, each one checked (edit).
source scripts/msi-table-edit.sh

# A full uninstall runs the custom action that takes Calmora's Startup shortcut out of every
# profile (calmora.wxs), and never a major upgrade: Windows Installer removes the old version with
# UPGRADINGPRODUCTCODE set, and the users keep their shortcuts, which go on starting the new
# Calmora.exe at the same path. It runs at commit, once the uninstall has succeeded (type 3649:
# DLL, return ignored, in script, commit, no impersonation), so a failed or cancelled uninstall
# keeps them; where rollback is disabled, and commit actions with it, a plain deferred one (3137)
# runs last instead.
sql=(
  "UPDATE CustomAction SET Type = 3649 WHERE Action = 'RemoveProfileStartupShortcuts'"
  "INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('SetRemoveProfileStartupShortcuts', 'REMOVE=\"ALL\" AND NOT UPGRADINGPRODUCTCODE AND NOT RollbackDisabled', 3440)"
  "INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('RemoveProfileStartupShortcuts', 'REMOVE=\"ALL\" AND NOT UPGRADINGPRODUCTCODE AND NOT RollbackDisabled', 3450)"
  "INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('SetRemoveProfileStartupShortcutsWithoutRollback', 'REMOVE=\"ALL\" AND NOT UPGRADINGPRODUCTCODE AND RollbackDisabled', 6580)"
  "INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('RemoveProfileStartupShortcutsWithoutRollback', 'REMOVE=\"ALL\" AND NOT UPGRADINGPRODUCTCODE AND RollbackDisabled', 6590)"
)
# A package rebuilt at the same version (say, now with the font) has a product code of its own:
# it replaces an installed Calmora of that version instead of going in beside it as a second one.
# wixl's MajorUpgrade takes only older versions: its row is written again to take its own version
# as well (513: migrate features, maximum version included).
sql+=(
  "DELETE FROM Upgrade WHERE ActionProperty = 'WIX_UPGRADE_DETECTED'"
  "INSERT INTO Upgrade (UpgradeCode, VersionMax, Attributes, ActionProperty) VALUES ('$(property UpgradeCode)', '$(property ProductVersion)', 513, 'WIX_UPGRADE_DETECTED')"
)
# REMOVE_FROM_STARTUP_ON_LOGIN (calmora.wxs): the setting is written only when the property has a
# value, given or stored, and kept by every uninstall and upgrade. To the attributes the .wxs set
# (among them the registry view) go permanent (16) and transitive (64): a reinstall looks at the
# condition again, so that a PC installed without the setting takes it from a later run with it.
# The property is public, not secure: a standard user's repair or install of the per-machine
# package does not hand it on to the elevated part, which runs as SYSTEM; an administrator's
# elevated run, or a deployment tool's as SYSTEM, does. Anything but exactly Yes or No on the
# command line, which Calmora compares case by case, is refused rather than stored.
# After that check: a maintenance run given the property reinstalls, and then a property not given
# takes the stored value, both before costing, where the component's condition is looked at.
fleet_setting=$(cell Component FleetSetting Attributes)
[ -n "$fleet_setting" ] || fail "wixl wrote no FleetSetting component"
# The search reads the value where the component writes it, in the same view (64-bit: 256 in the
# component's attributes, 16 in the search's type).
written_at=$(table Registry | awk -F'\t' -v view=$((fleet_setting & 256 ? 64 : 32)) '
  NR > 3 && $6 == "FleetSetting" { print $2, $3, $4, view }')
searched_at=$(table RegLocator | awk -F'\t' 'NR > 3 && $1 == "StoredRemoveFromStartupOnLogin" {
  print $2, $3, $4, ($5 % 32 >= 16 ? 64 : 32) }')
[ -n "$written_at" ] && [ "$written_at" == "$searched_at" ] ||
  fail "the stored setting is searched for at '$searched_at', but written at '$written_at'"
sql+=(
  "UPDATE Component SET Condition = 'REMOVE_FROM_STARTUP_ON_LOGIN', Attributes = $((fleet_setting | 16 | 64)) WHERE Component = 'FleetSetting'"
  "INSERT INTO LaunchCondition (Condition, Description) VALUES ('NOT REMOVE_FROM_STARTUP_ON_LOGIN OR REMOVE_FROM_STARTUP_ON_LOGIN = \"Yes\" OR REMOVE_FROM_STARTUP_ON_LOGIN = \"No\"', 'REMOVE_FROM_STARTUP_ON_LOGIN must be exactly Yes or No.')"
  "INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('ReinstallForGivenFleetSetting', 'Installed AND REMOVE_FROM_STARTUP_ON_LOGIN AND NOT REINSTALL AND NOT REMOVE', 110)"
  "INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('KeepStoredFleetSetting', 'NOT REMOVE_FROM_STARTUP_ON_LOGIN', 120)"
)
# The message's folder (calmora.wxs) stays after every uninstall, as the message does: permanent
# (16) added to the attributes the .wxs set.
message_folder=$(cell Component MessageFolder Attributes)
[ -n "$message_folder" ] || fail "wixl wrote no MessageFolder component"
sql+=("UPDATE Component SET Attributes = $((message_folder | 16)) WHERE Component = 'MessageFolder'")
# SHOW_NEW_MESSAGES_AT_LOGIN (calmora.wxs): the login companion and its Run value are installed
# only for Yes, given or kept from the Run value found. Transitive (64): a reinstall looks at the
# condition again, so that a run with No takes both away and a later run with Yes brings them.
# Not secure: only an administrator's run, as every deployment tool's is, may change it. Anything
# but exactly Yes or No is refused at the start. After that check: a maintenance run given the
# property reinstalls, and then a property not given is Yes where the Run value is found.
companion=$(cell Component LoginCompanion Attributes)
[ -n "$companion" ] || fail "wixl wrote no LoginCompanion component"
run_written_at=$(table Registry | awk -F'\t' -v view=$((companion & 256 ? 64 : 32)) '
  NR > 3 && $6 == "LoginCompanion" { print $2, $3, $4, view }')
run_searched_at=$(table RegLocator | awk -F'\t' 'NR > 3 && $1 == "StoredShowNewMessagesAtLogin" {
  print $2, $3, $4, ($5 % 32 >= 16 ? 64 : 32) }')
[ -n "$run_written_at" ] && [ "$run_written_at" == "$run_searched_at" ] ||
  fail "the Run value is searched for at '$run_searched_at', but written at '$run_written_at'"
sql+=(
  "UPDATE Component SET Condition = 'SHOW_NEW_MESSAGES_AT_LOGIN = \"Yes\"', Attributes = $((companion | 64)) WHERE Component = 'LoginCompanion'"
  "INSERT INTO LaunchCondition (Condition, Description) VALUES ('NOT SHOW_NEW_MESSAGES_AT_LOGIN OR SHOW_NEW_MESSAGES_AT_LOGIN = \"Yes\" OR SHOW_NEW_MESSAGES_AT_LOGIN = \"No\"', 'SHOW_NEW_MESSAGES_AT_LOGIN must be exactly Yes or No.')"
  "INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('ReinstallForGivenLoginCompanion', 'Installed AND SHOW_NEW_MESSAGES_AT_LOGIN AND NOT REINSTALL AND NOT REMOVE', 111)"
  "INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('KeepStoredLoginCompanion', 'NOT SHOW_NEW_MESSAGES_AT_LOGIN AND STORED_SHOW_NEW_MESSAGES_AT_LOGIN', 121)"
)
for query in "${sql[@]}"; do edit "$query"; done

# Signing comes last: the signature covers the package's content, and any change after it
# breaks it.
if [ -n "$sign" ]; then
  signed_copy "$msi" "$stage/Calmora-signed.msi"
  msi=$stage/Calmora-signed.msi
fi

# The checksum names the package without its folder: `sha256sum -c` checks it from there.
mv -- "$msi" "$package.partial"
sum=$(sha256sum <"$package.partial")
printf '%s  %s\n' "${sum%% *}" "$(basename "$package")" >"$package.sha256.partial"
mv -f -- "$package.partial" "$package"
mv -f -- "$package.sha256.partial" "$package.sha256"

# The Windows test bundle: run-tests.cmd and this package, and in bin\ Calmora.exe with the test
# programs and what they need beside them. Sorted, with fixed times and no Unix attributes, so
# that the same files make the same zip; run-tests.cmd with the line ends cmd reads best.
# bin\'s files are named once, in run-tests.cmd, which copies those alone; each program is built by
# the target of its name, and the stand-in font with the test programs.
if [ -n "$tests" ]; then
  bin_files=()
  read -ra bin_files < <(sed -n 's/^set "bin_files=\(.*\)"\r*$/\1/p' \
    packaging/test_bundle/run-tests.cmd) || true
  programs=()
  for file in "${bin_files[@]}"; do [[ $file != *.exe ]] || programs+=("${file%.exe}"); done
  [ "${#programs[@]}" -gt 0 ] || fail "run-tests.cmd names no programs for the bundle's bin folder"
  cmake --build "$build" --target "${programs[@]}"
  bundle=$scratch/bundle
  mkdir -p "$bundle/bin"
  cp -- "${bin_files[@]/#/$build/bin/}" "$bundle/bin/"
  cp -- "$package" "$bundle/"
  sed 's/\r*$/\r/' packaging/test_bundle/run-tests.cmd >"$bundle/run-tests.cmd"
  find "$bundle" -exec touch -h -d '1980-01-01 00:00:00 UTC' {} +
  (cd "$bundle" && find . -type f | sed 's|^\./||' | LC_ALL=C sort |
    TZ=UTC zip -X -D -q "$scratch/tests.zip" -@) || fail "zip could not write the test bundle"
  mv -f -- "$scratch/tests.zip" "$bundle_zip"
  echo "Test bundle: $bundle_zip"
fi

echo "Package: $package"
echo "Checksum: $package.sha256"
if [ -n "$sign" ]; then
  echo "Signed by: $signer${timestamp_url:+, time-stamped by $timestamp_url}"
else
  echo "Unsigned: for testing only; sign a package for PCs with --sign"
fi
