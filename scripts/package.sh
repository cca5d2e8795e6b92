#!/usr/bin/env bash
# Builds Calmora.exe and packs it into a Windows Installer package, Calmora-<version>-x64.msi,
# for installing on many PCs.
#
# Usage: scripts/package.sh [--version X.YY.ZZZZ] [--font PATH] [--out DIR]
#                           [--sign PFX [--sign-password-file FILE] [--timestamp-url URL]] [--tests]
#   --version  build as this version instead of the program's own (in its own build folder,
#              build/package/<version>, so the everyday build keeps the program's version)
#   --font     put this file into the package as ELEPHNT.TTF beside Calmora.exe
#   --out      write the package into DIR (default: build/windows/dist)
#   --sign     sign Calmora.exe and the package with the code-signing certificate and key in
#              this PKCS#12 file; without it the package is unsigned, for testing only
#   --sign-password-file  read the PFX's password from this file, never from the command line
#   --timestamp-url       have this RFC 3161 time-stamp server date both signatures
#   --tests    also write Calmora-<version>-tests.zip: the Windows test bundle, which runs the
#              tests and the package's story on a Windows PC (run-tests.cmd in it)
# Beside the package goes its checksum, <package>.sha256, which `sha256sum -c` checks.
set -euo pipefail

usage() {
  sed -n 's/^# \{0,1\}//; 5,17p' "${BASH_SOURCE[0]}" >&2
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

cmake --build "$build" --target Calmora CalmoraStartupCleanup

# wixl reads its sources relative to the .wxs file: gather everything in one folder.
stage=$build/installer
rm -rf "$stage"
mkdir -p "$stage"
cp packaging/installer/calmora.wxs packaging/calmora.ico "$build/bin/Calmora.exe" \
  "$build/bin/CalmoraStartupCleanup.dll" "$build/generated/calmora_version.wxi" "$stage/"
# The program and the clean-up go into the package signed: signed copies, the build's own stay as
# they are.
if [ -n "$sign" ]; then
  signed_copy "$build/bin/Calmora.exe" "$stage/Calmora.exe"
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
if [ -n "$tests" ]; then
  cmake --build "$build" --target windows_tests e2e_tests installed_calmora_tests test_report
  bundle=$scratch/bundle
  mkdir -p "$bundle/bin"
  cp -- "$build"/bin/{Calmora,windows_tests,e2e_tests,installed_calmora_tests,test_report}.exe \
    "$build/bin/elephant-stand-in.ttf" "$bundle/bin/"
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
