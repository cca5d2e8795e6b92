#!/usr/bin/env bash
# The Windows Installer package through its life on one PC, in a fresh Wine prefix of its own:
# a silent install, the installed program at work, an upgrade, a refused downgrade and a silent
# uninstall that cleans every profile's Startup folder, each checked on disk and in the registry.
# The first package is signed, and its Calmora.exe is built a second time, in another folder, and
# must not differ by a byte.
# Usage: installer_test.sh installed_calmora_tests.exe
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
tests_exe=$(realpath "$1")
work=$root/build/installer-test
export WINEPREFIX=$work/wineprefix
# No desktop menu entries on the Linux side for the shortcuts the package makes.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
source "$root/scripts/wine-env.sh"

failures=0
expect() { # what, actual, expected
  if [ "$2" == "$3" ]; then
    echo "ok: $1"
  else
    echo "FAILED: $1: expected '$3', got '$2'" >&2
    failures=$((failures + 1))
  fi
}
exists() { [ -e "$1" ] && echo yes || echo no; }
same() { cmp -s "$1" "$2" && echo same || echo different; }

# The packages: this version with a stand-in for the heading font, and the version after it.
wineserver -k 2>/dev/null || true
rm -rf "$work"
mkdir -p "$work"
printf 'Stands in for the heading font, which is never part of the sources.\n' >"$work/font.ttf"
package() {
  "$root/scripts/package.sh" --font "$work/font.ttf" --out "$work/dist" "$@" \
    >>"$work/package.log" 2>&1 || { cat "$work/package.log" >&2; return 1; }
  sed -n 's/^Package: //p' "$work/package.log" | tail -n 1
}
# A throwaway code-signing certificate, made here for this run alone.
signing=$work/signing
mkdir -p "$signing"
printf 'a throwaway password\n' >"$signing/password"
printf 'a wrong password\n' >"$signing/wrong-password"
openssl req -x509 -newkey rsa:2048 -sha256 -days 2 -nodes -subj '/CN=Calmora test signer' \
  -addext extendedKeyUsage=codeSigning -keyout "$signing/key.pem" -out "$signing/certificate.pem" \
  2>/dev/null
openssl pkcs12 -export -inkey "$signing/key.pem" -in "$signing/certificate.pem" \
  -passout "file:$signing/password" -out "$signing/signer.pfx"
# This version, signed, built in build/package/<version>: a second build of Calmora.exe beside
# build/windows's.
own=$(sed -n 's/^#define CALMORA_VERSION_TEXT "\(.*\)"$/\1/p' \
  "$root/build/windows/generated/calmora_version.h")
old=$(package --version "$own" --sign "$signing/signer.pfx" \
  --sign-password-file "$signing/password")
next=$(basename "$old" | awk -F'[-.]' '{ printf "%d.%02d.%04d", $2, $3, $4 + 1 }')
new=$(package --version "$next")
property() { # package, name
  msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' -v name="$2" '$1 == name { print $2 }'
}
# The installed Calmora.exe's version as its properties show it: its resource's ProductVersion.
installed_version() { wrestool -x --raw -t 16 "$program/Calmora.exe" | iconv -f UTF-16LE -t UTF-8 |
  tr -c '[:print:]' '\n' | awk 'v && NF { print; exit } $0 == "ProductVersion" { v = 1 }'; }

echo "== Calmora.exe, built twice"
built=$root/build/package/$own/bin/Calmora.exe
expect "the same bytes from two build folders" \
  "$(same "$built" "$root/build/windows/bin/Calmora.exe")" same
expect "no build path in it" \
  "$({ strings -a "$built"; strings -a -el "$built"; } | grep -c -F "$root" || true)" 0

echo "== Signed $(basename "$old")"
expect "its checksum" "$(cd "$(dirname "$old")" && sha256sum -c "$(basename "$old").sha256")" \
  "$(basename "$old"): OK"
verify() {
  osslsigncode verify -CAfile "$signing/certificate.pem" -in "$1" >>"$work/verify.log" 2>&1 &&
    echo verified || echo refused
}
expect "its signature" "$(verify "$old")" verified
msiextract -C "$work/extracted" "$old" >/dev/null
signed_exe=$(find "$work/extracted" -name Calmora.exe)
expect "the signature of its Calmora.exe" "$(verify "$signed_exe")" verified
msiinfo extract "$old" Binary.StartupCleanup >"$work/extracted/cleanup.dll"
expect "and of its clean-up DLL" "$(verify "$work/extracted/cleanup.dll")" verified
expect "and of its CalmoraAtLogin.exe" \
  "$(verify "$(find "$work/extracted" -name CalmoraAtLogin.exe)")" verified

echo "== Signed with a wrong password"
# An earlier package under the name must not pass for the one that failed.
mkdir -p "$work/refused"
cp "$old" "$work/refused/"
code=0
"$root/scripts/package.sh" --version "$own" --out "$work/refused" --sign "$signing/signer.pfx" \
  --sign-password-file "$signing/wrong-password" >"$work/refused.log" 2>&1 || code=$?
expect "package.sh fails" "$code" 1
expect "with the reason" "$(grep -ci 'invalid password' "$work/refused.log")" 1
expect "and leaves no package" "$(ls -A "$work/refused")" ""

echo "== The package's tables"
# package.sh's edit helper refuses a query that changes nothing: here one that sets what is set.
edit_code=0
edited=$(
  msi=$work/edited.msi stage=$work/edits
  fail() { echo "$*"; exit 1; }
  mkdir -p "$stage"
  cp "$new" "$msi"
  source "$root/scripts/msi-table-edit.sh"
  edit "UPDATE Property SET Value = 'Quillmoor' WHERE Property = 'Manufacturer'"
) || edit_code=$?
expect "an edit that changes no row fails, and says so" \
  "$edit_code $(grep -c 'changed no row' <<<"$edited" || true)" "1 1"
expect "REMOVE_FROM_STARTUP_ON_LOGIN is not a secure property" \
  "$(property "$new" SecureCustomProperties | tr ';' '\n' | grep -c -x REMOVE_FROM_STARTUP_ON_LOGIN)" 0
expect "no Restart Manager to close an open Calmora" \
  "$(property "$new" MSIRESTARTMANAGERCONTROL)" Disable

trap 'wineserver -k 2>/dev/null || true; calmora_stop_virtual_display' EXIT
calmora_wine_prefix
[ -n "${DISPLAY:-}" ] || calmora_virtual_display
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1

# msiexec's exit code as the shell sees it: modulo 256, so 1603 is 67 and 1605 is 69. Its log
# ends with the session's properties: session NAME gives one of the last run.
msiexec() {
  local code=0
  wine msiexec "$@" /qn /l*v "$(winepath -w "$work/session.log")" </dev/null \
    >>"$work/msiexec.log" 2>&1 || code=$?
  echo "$code"
}
session() { tr -d '\r' <"$work/session.log" | sed -n "s/^Property(S): $1 = //p"; }
unix_path() { winepath -u "$1" 2>/dev/null; }
drive_c=$WINEPREFIX/drive_c
program="$drive_c/Program Files/Quillmoor/Calmora"
exe='C:\Program Files\Quillmoor\Calmora\Calmora.exe'
appdata=$(unix_path "$(wine cmd /c echo %APPDATA% </dev/null 2>/dev/null | tr -d '\r')")
# Per machine, Windows puts the Start Menu shortcut into the all-users Start Menu; Wine into the
# installing user's.
start_menu_shortcut() {
  local folder
  for folder in "$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs" \
    "$appdata/Microsoft/Windows/Start Menu/Programs"; do
    [ -e "$folder/Calmora.lnk" ] && echo "$folder/Calmora.lnk"
  done
  return 0
}
startup_shortcut() { find "$appdata/Microsoft/Windows/Start Menu/Programs" -maxdepth 2 \
  -ipath '*/startup/Calmora - Display a Message from a Support Person.lnk'; }
# Add or Remove Programs: one line per entry named Calmora, "version|publisher|no modify".
entries() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s /reg:64 \
    </dev/null 2>/dev/null | tr -d '\r' | awk -F '    ' '
    function report() { if (v["DisplayName"] == "Calmora")
      print v["DisplayVersion"] "|" v["Publisher"] "|" v["NoModify"] }
    /^HKEY_/ { report(); delete v; next }
    NF >= 4 { v[$2] = $4 }
    END { report() }'
}
product_icon() {
  wine reg query 'HKLM\Software\Classes\Installer\Products' /s </dev/null 2>/dev/null |
    tr -d '\r' | awk -F '    ' '$2 == "ProductIcon" { print $4 }'
}
detected() { # by the key the README gives technicians: the UpgradeCode, packed
  wine reg query 'HKLM\Software\Classes\Installer\UpgradeCodes\F03F73EF8BF322E4CB6836EC5F82B86D' \
    </dev/null >/dev/null 2>&1 && echo yes || echo no; }
setting() { # [view: 32 (default) or 64]
  wine reg query 'HKLM\Software\Quillmoor\Calmora\Settings' /v 'Remove From Startup on Login' \
    /reg:${1:-32} </dev/null 2>/dev/null | tr -d '\r' | awk -F '    ' 'NF >= 4 { print $3 "=" $4 }'
}

echo "== Install $(basename "$old")"
expect "silent install exits" "$(msiexec /i "$(winepath -w "$old")")" 0
expect "the message's folder, before Calmora ever ran" "$(exists "$drive_c/ProgramData/Quillmoor")" yes
expect "Calmora.exe, signed" "$(same "$program/Calmora.exe" "$signed_exe")" same
expect "ELEPHNT.TTF from --font" "$(same "$program/ELEPHNT.TTF" "$work/font.ttf")" same
expect "one Start Menu shortcut" "$(start_menu_shortcut | wc -l)" 1
shortcut=$(start_menu_shortcut)
info=$(lnkinfo "$shortcut" 2>/dev/null || true)
expect "it starts" "$(sed -n 's/^[[:space:]]*Local path[[:space:]]*: //p' <<<"$info")" "$exe"
expect "from" "$(sed -n 's/^[[:space:]]*Working directory[[:space:]]*: //p' <<<"$info")" \
  "${exe%\\*}\\"
expect "Add or Remove Programs" "$(entries)" "$(installed_version)|Quillmoor|0x1"
readme=$(sed -n 's/.*`DisplayVersion` is `\([^`]*\)` for `Calmora-\([^`]*\)-x64\.msi`.*/\1 \2/p' \
  "$root/README.md")
readme=${readme:-no such sentence}
expect "DisplayVersion is the version in the package's name, in the README too" \
  "$(entries | cut -d'|' -f1) ${readme% *}" "$own ${readme#* }"
expect "its icon" "$(same "$(unix_path "$(product_icon)")" "$root/packaging/calmora.ico")" same
expect "detected by its UpgradeCode" "$(detected)" yes

echo "== Run the installed Calmora.exe"
code=0
CALMORA_INSTALLED_EXE=$exe wine "$tests_exe" >"$work/run.log" 2>&1 || code=$?
expect "its window shows, Options makes a Startup shortcut to it" \
  "$code $(grep -c '^\[       OK \]' "$work/run.log")" "0 1"
startup=$(startup_shortcut)
message=$drive_c/ProgramData/Quillmoor/UserMessage.txt
stored_setting=$(setting)
expect "the Startup shortcut, the message and the setting" \
  "$(exists "$startup") $(exists "$message") $stored_setting" "yes yes REG_SZ=Yes"
# The rest of the story needs them.
[ "$failures" -eq 0 ] || { echo "$failures check(s) failed; see $work" >&2; exit 1; }
cp "$startup" "$work/startup.lnk"
cp "$message" "$work/message.txt"

echo "== Upgrade to $(basename "$new")"
expect "silent upgrade exits" "$(msiexec /i "$(winepath -w "$new")")" 0
expect "one entry, the new version" "$(entries)" "$(installed_version)|Quillmoor|0x1"
expect "the new Calmora.exe" \
  "$(same "$program/Calmora.exe" "$root/build/package/$next/bin/Calmora.exe")" same

echo "== Downgrade to $(basename "$old")"
expect "refused with 1603" "$(msiexec /i "$(winepath -w "$old")")" 67
expect "the new version stays" "$(entries)" "$(installed_version)|Quillmoor|0x1"

echo "== The same version, rebuilt"
new=$(package --version "$next")
expect "silent install exits" "$(msiexec /i "$(winepath -w "$new")")" 0
expect "it replaces the installed one" "$(entries)" "$(installed_version)|Quillmoor|0x1"

# Other users in ProfileList, as Windows lists them: the first profile's folder is gone; Ada has
# Calmora's Startup shortcut; Grace has one of the same name to a Calmora.exe elsewhere; Mallory's
# Startup folder is a link (Wine's junction) to a folder outside every profile, which holds one.
echo "== Three more users, and a profile whose folder is gone"
other_profile() { # SID, folder under C:\users; prints where its Startup shortcut would be
  wine reg add "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\$1" /f /reg:64 \
    /v ProfileImagePath /t REG_EXPAND_SZ /d "%SystemDrive%\\users\\$2" </dev/null >/dev/null 2>&1
  echo "$drive_c/users/$2/AppData/Roaming/${startup#"$appdata"/}"
}
other_profile S-1-5-21-18-18-18-1001 calmora-gone >/dev/null
ada=$(other_profile S-1-5-21-18-18-18-1002 calmora-ada)
grace=$(other_profile S-1-5-21-18-18-18-1003 calmora-grace)
mallory=$(other_profile S-1-5-21-18-18-18-1004 calmora-mallory)
victim=$drive_c/victim/$(basename "$mallory")
mkdir -p "$(dirname "$ada")" "$(dirname "$grace")" "$(dirname "$victim")" \
  "$(dirname "$(dirname "$mallory")")"
ln -s "$(dirname "$victim")" "$(dirname "$mallory")"
cp "$work/startup.lnk" "$ada"
cp "$work/startup.lnk" "$victim"
echo 'var link = WScript.CreateObject("WScript.Shell").CreateShortcut(WScript.Arguments(0));
link.TargetPath = WScript.Arguments(1); link.Save();' >"$work/shortcut.js"
wine cscript //nologo "$(winepath -w "$work/shortcut.js")" "$(winepath -w "$grace")" \
  'C:\Tools\Calmora.exe' </dev/null >/dev/null 2>&1 || true
expect "Grace's shortcut starts another Calmora.exe" "$(lnkinfo "$grace" 2>/dev/null |
  sed -n 's/^[[:space:]]*Local path[[:space:]]*: //p')" 'C:\Tools\Calmora.exe'
# Heidi's shortcut is a hard link to one outside every profile. Ivan's and Judy's start programs
# whose paths hold what the installer's log would format or break: "[ProductCode]", and a CR LF
# (the "|" below).
heidi=$(other_profile S-1-5-21-18-18-18-1005 calmora-heidi)
ivan=$(other_profile S-1-5-21-18-18-18-1006 calmora-ivan)
judy=$(other_profile S-1-5-21-18-18-18-1007 calmora-judy)
hard_linked=$drive_c/victim/hard/$(basename "$heidi")
mkdir -p "$(dirname "$heidi")" "$(dirname "$ivan")" "$(dirname "$judy")" "$(dirname "$hard_linked")"
cp "$work/startup.lnk" "$hard_linked"
ln "$hard_linked" "$heidi"
echo 'var link = WScript.CreateObject("WScript.Shell").CreateShortcut(WScript.Arguments(0));
link.TargetPath = WScript.Arguments(1).split("|").join("\r\n"); link.Save();' >"$work/odd.js"
odd_shortcut() { # shortcut, target
  wine cscript //nologo "$(winepath -w "$work/odd.js")" "$(winepath -w "$1")" "$2" </dev/null \
    >/dev/null 2>&1 || true
}
odd_shortcut "$ivan" 'C:\Tools\[ProductCode]\{1}\Calmora.exe'
odd_shortcut "$judy" 'C:\Tools\one|two\Calmora.exe'
# Installed on PCs with nothing but Windows, the custom action may use nothing else.
msiinfo extract "$new" Binary.StartupCleanup >"$work/StartupCleanup.dll"
expect "the custom action needs only Windows' own DLLs" "$(x86_64-w64-mingw32-objdump -p \
  "$work/StartupCleanup.dll" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' |
  grep -vxE '(kernel32|advapi32|msi|msvcrt|ntdll|ole32|oleaut32|shell32|user32|shlwapi)\.dll')" ""

# Windows removes the old version during an upgrade with UPGRADINGPRODUCTCODE set, and then
# keeps the users' Startup shortcuts. (Wine's upgrade leaves that property out, so above it took
# the shortcut away: put it back.)
echo "== Removal as an upgrade on Windows does it"
mkdir -p "$(dirname "$startup")"
cp "$work/startup.lnk" "$startup"
expect "exits" "$(msiexec /x "$(winepath -w "$new")" \
  'UPGRADINGPRODUCTCODE={00000000-0000-0000-0000-000000000001}')" 0
expect "program gone, Startup shortcut kept" \
  "$(exists "$program/Calmora.exe") $(exists "$startup")" "no yes"
expect "Ada's and Grace's Startup shortcuts kept" "$(exists "$ada") $(exists "$grace")" "yes yes"
expect "reinstall exits" "$(msiexec /i "$(winepath -w "$new")")" 0

echo "== Uninstall"
# The clean-up deletes at commit, once the uninstall has succeeded, or last where rollback is
# disabled (not tried here); as SYSTEM either way.
expect "the clean-up's actions" "$(msiinfo export "$new" CustomAction | awk -F'\t' \
  '$3 == "StartupCleanup" { printf "%s=%s ", $1, $2 }')" \
  "RemoveProfileStartupShortcuts=3649 RemoveProfileStartupShortcutsWithoutRollback=3137 "
expect "silent uninstall exits" \
  "$(msiexec /x "$(winepath -w "$new")")" 0
expect "program folder, Quillmoor folder" \
  "$(exists "$program") $(exists "$(dirname "$program")")" "no no"
expect "Start Menu shortcut, Startup shortcut" \
  "$(start_menu_shortcut | wc -l) $(exists "$startup")" "0 no"
expect "past a profile with no folder, Ada's shortcut gone, Grace's to elsewhere kept" \
  "$(exists "$ada") $(exists "$grace")" "no yes"
expect "the one through Mallory's link kept, and the log says why" "$(exists "$victim") $(
  grep -F 'refused C:\users\calmora-mallory\' "$work/session.log" |
    grep -c -F ': a link on the way, C:\users\calmora-mallory\' || true)" "yes 1"
expect "Heidi's hard link kept, the file outside too, and the log says why" \
  "$(exists "$heidi") $(exists "$hard_linked") $(grep -F 'refused C:\users\calmora-heidi\' \
    "$work/session.log" | grep -c -F '.lnk: it is a link' || true)" "yes yes 1"
expect "the log names Ivan's and Judy's targets as they are" "$(
  grep -c -F ': it starts C:\Tools\[ProductCode]\{1}\Calmora.exe' "$work/session.log" || true) $(
  grep -c -F ': it starts C:\Tools\one\r\ntwo\Calmora.exe' "$work/session.log" || true)" "1 1"
expect "no Add or Remove Programs entry, not detected" "$(entries) $(detected)" " no"
expect "the message is kept" "$(same "$message" "$work/message.txt")" same
expect "the setting is kept" "$(setting)" "$stored_setting"
expect "uninstalling again: not installed, 1605" "$(msiexec /x "$(property "$new" ProductCode)")" 69

# A package that fails its own uninstall at the end, after the clean-up was scheduled, unless
# told to go on: a failed uninstall keeps every Startup shortcut. (Wine reports the failed action
# as 1627, 91 to the shell; Windows as 1603.)
echo "== An uninstall that fails"
failing=$work/failing.msi failing_w=$(winepath -w "$work/failing.msi")
cp "$new" "$failing"
for query in "INSERT INTO Property (Property, Value) VALUES ('FAIL', 'cmd.exe')" \
  "INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('Fail', 1074, 'FAIL', '/c exit 1')" \
  "INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('Fail', 'REMOVE=\"ALL\" AND NOT GO_ON', 6595)" \
  "INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('RedirectAppData', 51, 'AppDataFolder', '[DEEP]')" \
  "INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('RedirectAppData', 'DEEP', 3430)"; do
  msibuild "$failing" -q "$query"
done
expect "install exits" "$(msiexec /i "$failing_w")" 0
cp "$work/startup.lnk" "$ada"
expect "uninstall fails, Ada's shortcut kept" "$(msiexec /x "$failing_w") $(exists "$ada")" "91 yes"
# The uninstalling user's AppData redirected by a path long enough that CustomActionData outgrows
# the action's first buffer of 520 characters. (Wine sets AppDataFolder after the command line:
# the package above takes it from DEEP. Its GetFinalPathNameByHandleW fails beyond MAX_PATH, so
# the path's length is in "." names, which the clean-up takes out before it opens anything.)
deep='C:\deep\'
for _ in $(seq 260); do deep+='.\'; done
deep_shortcut=$drive_c/deep/${startup#"$appdata"/}
mkdir -p "$(dirname "$deep_shortcut")"
cp "$work/startup.lnk" "$deep_shortcut"
expect "told to go on, it succeeds and takes it, and the one in a long AppData" \
  "$(msiexec /x "$failing_w" GO_ON=1 "DEEP=$deep") $(exists "$ada") $(
    exists "$deep_shortcut") $(($(session RemoveProfileStartupShortcuts | wc -c) > 520))" "0 no no 1"

# The setting from a deployment tool. (The story above, without the property, kept what Options
# stored.)
echo "== REMOVE_FROM_STARTUP_ON_LOGIN"
old_w=$(winepath -w "$old") new_w=$(winepath -w "$new")
expect "anything but exactly Yes or No is refused, 1603" \
  "$(msiexec /i "$old_w" REMOVE_FROM_STARTUP_ON_LOGIN=yes) $(setting)" "67 $stored_setting"
expect "install with No, upgrade with Yes: each written, in the 32-bit view only" \
  "$(msiexec /i "$old_w" REMOVE_FROM_STARTUP_ON_LOGIN=No) $(setting) $(msiexec /i "$new_w" \
    REMOVE_FROM_STARTUP_ON_LOGIN=Yes) $(setting) $(setting 64)" "0 REG_SZ=No 0 REG_SZ=Yes "
# A repair as `/fvomus` sets it (Wine's msiexec refuses /f) writes back the property, which holds
# the stored value. (Wine leaves the setting alone when the property is empty; Windows writes it
# empty: the session shows what a repair on Windows writes.) A value written by hand stays.
rm "$program/Calmora.exe"
repair() { msiexec /i "$new_w" REINSTALL=ALL REINSTALLMODE=vomus; }
expect "a repair brings Calmora.exe back and keeps the setting" \
  "$(repair) $(exists "$program/Calmora.exe") $(setting) $(session REMOVE_FROM_STARTUP_ON_LOGIN)" \
  "0 yes REG_SZ=Yes Yes"
for value in No yes; do
  wine reg add 'HKLM\Software\Quillmoor\Calmora\Settings' /v 'Remove From Startup on Login' \
    /d $value /f /reg:32 </dev/null >/dev/null 2>&1
  expect "set to $value by reg, a repair keeps it" \
    "$(repair) $(setting) $(session REMOVE_FROM_STARTUP_ON_LOGIN)" "0 REG_SZ=$value $value"
done
# Where it is installed, the same package with the property reinstalls: Windows writes the setting
# only so; Wine's maintenance run writes it without.
expect "the installed package run again with the property writes it" \
  "$(msiexec /i "$new_w" REMOVE_FROM_STARTUP_ON_LOGIN=Yes) $(setting) $(session REINSTALL)" \
  "0 REG_SZ=Yes ALL"
rm "$message"
expect "uninstall keeps it, and the message's folder, empty" \
  "$(msiexec /x "$new_w") $(setting) $(exists "$(dirname "$message")")" "0 REG_SZ=Yes yes"

# The login companion for a fleet: installed on request, kept by a repair and an upgrade, changed
# by a run with the property, taken away by the uninstall. (Uninstalled here.)
echo "== SHOW_NEW_MESSAGES_AT_LOGIN"
companion="$program/CalmoraAtLogin.exe"
run_value() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' /v Calmora /reg:64 \
    </dev/null 2>/dev/null | tr -d '\r' | awk -F '    ' 'NF >= 4 { print $3 "=" $4 }'
}
run_value_32() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' /v Calmora /reg:32 \
    </dev/null 2>/dev/null | tr -d '\r' | awk -F '    ' 'NF >= 4 { print $3 "=" $4 }'
}
at_login="REG_SZ=\"${exe%\\*}\\CalmoraAtLogin.exe\""
expect "anything but exactly Yes or No is refused, 1603, with the message Windows shows" \
  "$(msiexec /i "$new_w" SHOW_NEW_MESSAGES_AT_LOGIN=yes) $(entries) $(msiinfo export "$new" \
    LaunchCondition | grep -c 'SHOW_NEW_MESSAGES_AT_LOGIN must be exactly Yes or No.')" "67  1"
expect "without the property nothing is added, nor by a repair" \
  "$(msiexec /i "$old_w") $(exists "$companion") $(run_value) $(msiexec /i "$old_w" REINSTALL=ALL \
    REINSTALLMODE=vomus) $(exists "$companion") $(run_value)" "0 no  0 no "
expect "run again with Yes: the Run value starts the installed companion, in the 64-bit view" \
  "$(msiexec /i "$old_w" SHOW_NEW_MESSAGES_AT_LOGIN=Yes) $(exists "$companion") $(run_value) \
$(run_value_32)" "0 yes $at_login "
expect "the companion, signed" \
  "$(same "$companion" "$(find "$work/extracted" -name CalmoraAtLogin.exe)")" same
code=0
CALMORA_INSTALLED_EXE=$exe wine "$tests_exe" --gtest_filter='*RunValue*' >"$work/login.log" 2>&1 ||
  code=$?
expect "the Run value's command shows a new message once" \
  "$code $(grep -c '^\[       OK \]' "$work/login.log")" "0 1"
expect "an upgrade keeps it" \
  "$(msiexec /i "$new_w") $(run_value) $(same "$companion" \
    "$root/build/package/$next/bin/CalmoraAtLogin.exe")" "0 $at_login same"
rm "$companion"
expect "a repair brings the companion back and keeps the Run value" \
  "$(repair) $(exists "$companion") $(run_value) $(session SHOW_NEW_MESSAGES_AT_LOGIN)" \
  "0 yes $at_login Yes"
# Run again with No, it reinstalls with the component's condition false, and Windows removes a
# transitive component then. Wine's installer keeps it: the session and the package show what
# Windows acts on.
expect "run again with No: a reinstall, and the component transitive" \
  "$(msiexec /i "$new_w" SHOW_NEW_MESSAGES_AT_LOGIN=No) $(session REINSTALL) \
$(session SHOW_NEW_MESSAGES_AT_LOGIN) $(($(msiinfo export "$new" Component | tr -d '\r' |
    awk -F'\t' '$1 == "LoginCompanion" { print $4 }') & 64))" "0 ALL No 64"
if [ "$(exists "$companion")" = yes ]; then
  echo "skipped: run again with No, both gone: Wine's installer keeps a transitive component" \
    "whose condition turned false"
else
  expect "run again with No: both gone" "$(run_value)" ""
fi
wine reg add 'HKCU\Software\Quillmoor\Calmora' /v 'Last Message Shown' /d seen /f \
  </dev/null >/dev/null 2>&1
expect "run again with Yes, then uninstall: both gone, the user's Last Message Shown kept" \
  "$(msiexec /i "$new_w" SHOW_NEW_MESSAGES_AT_LOGIN=Yes) $(run_value) $(msiexec /x "$new_w") \
$(exists "$companion") $(run_value) $(wine reg query 'HKCU\Software\Quillmoor\Calmora' \
    /v 'Last Message Shown' </dev/null 2>/dev/null | tr -d '\r' | awk -F '    ' 'NF >= 4 { print $4 }')" \
  "0 $at_login 0 no  seen"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed; see $work" >&2; exit 1; }
echo "The package installs, runs, upgrades, refuses a downgrade and uninstalls."
# The prefix takes some 700 MB: it stays only when a check failed.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
rm -rf "$WINEPREFIX"
