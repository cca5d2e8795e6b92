#!/usr/bin/env bash
# The README is the only manual a technician has for a fleet: its recipes must work as written.
# No PowerShell runs here (Debian 12 has none), so the deployment scripts are checked by reading:
# - every msiexec command in README.md is silent, never restarts the PC and writes a verbose log;
# - each script in packaging/deploy is in the README byte for byte, and every PowerShell block of
#   the README that runs msiexec is one of them;
# - a script that runs msiexec runs in 64-bit PowerShell and exits with msiexec's exit code, on
#   every path after msiexec ran;
# - the detection script is Intune's kind (output and exit 0 only when detected), reads the
#   registry's 64-bit view and names the program's version.
# Usage: readme_recipes_test.sh [README [DEPLOY_FOLDER]]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
readme=${1:-$root/README.md}
deploy=${2:-$root/packaging/deploy}
scratch=$(mktemp -d)
trap 'rm -rf -- "$scratch"' EXIT

failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# The README's fenced blocks, each into a file of its own (block-N.<info>) without the fence's
# indentation, as GitHub shows it; and every other line into prose, with its line number.
awk -v dir="$scratch" '
  match($0, /^ *```/) {
    if (!inside) {
      inside = 1; indent = RLENGTH - 3; info = substr($0, RLENGTH + 1); sub(/ .*/, "", info)
      file = sprintf("%s/block-%03d-%d.%s", dir, ++n, NR, info == "" ? "text" : info)
      printf "" >file
    } else if (RLENGTH - 3 <= indent + 3) { inside = 0; close(file) }
    next
  }
  inside {
    line = $0
    for (i = 0; i < indent && substr(line, 1, 1) == " "; i++) line = substr(line, 2)
    print line >file; next
  }
  { print NR ": " $0 >(dir "/prose") }
' "$readme"
shopt -s nullglob
blocks=("$scratch"/block-*)
[ ${#blocks[@]} -gt 0 ] || fail "no code blocks in $readme"

# An msiexec command: the word msiexec (or msiexec.exe, perhaps in quotes) before a space or the
# line's end. A line continued with ^ (cmd) or ` (PowerShell) is read with the next.
msiexec_lines() { # file
  awk '{ line = held $0 } /[\^`]$/ { held = substr(line, 1, length(line) - 1) " "; next }
       { held = ""; print line }' "$1" |
    grep -iE '(^|[^[:alnum:]_.-])msiexec(\.exe)?["'\'']?( |$)' || true
}
check_msiexec() { # where, command
  local missing=()
  grep -qE ' /qn( |"|$)' <<<"$2" || missing+=(/qn)
  grep -qE ' /norestart( |"|$)' <<<"$2" || missing+=(/norestart)
  grep -qE ' /l\*v +[^ /]' <<<"$2" || missing+=("/l*v <log>")
  [ ${#missing[@]} -eq 0 ] || fail "$1 lacks ${missing[*]}: $2"
}
commands=0
for block in "${blocks[@]}"; do
  line=${block##*/block-*-}
  line=${line%%.*}
  while IFS= read -r command; do
    commands=$((commands + 1))
    check_msiexec "README.md, block at line $line" "$command"
  done < <(msiexec_lines "$block")
done
# In the prose, a code span that begins with msiexec is a command too.
while IFS= read -r span; do
  commands=$((commands + 1))
  check_msiexec "README.md, line ${span%%:*}" "${span#*:}"
done < <(awk -F': ' '{ number = $1; text = substr($0, length($1) + 3)
    while (match(text, /`[^`]*`/)) {
      span = substr(text, RSTART + 1, RLENGTH - 2); text = substr(text, RSTART + RLENGTH)
      if (tolower(span) ~ /^msiexec(\.exe)? /) print number ":" span
    } }' "$scratch/prose")
[ "$commands" -gt 0 ] || fail "no msiexec command found in $readme"

# The scripts: a PowerShell block that opens with "# <name>.ps1:" is packaging/deploy/<name>.ps1.
scripts=("$deploy"/*.ps1)
[ ${#scripts[@]} -gt 0 ] || fail "no scripts in $deploy"
for block in "${blocks[@]}"; do
  case $block in *.powershell | *.ps1 | *.pwsh) ;; *) continue ;; esac
  name=$(sed -n '1s/^# \([A-Za-z0-9_-]*\.ps1\):.*/\1/p' "$block")
  if [ -n "$name" ]; then
    if [ ! -f "$deploy/$name" ]; then
      fail "README.md shows $name, which is not in $deploy"
    else
      cmp -s "$block" "$deploy/$name" || fail "README.md's $name differs from $deploy/$name:
$(diff "$deploy/$name" "$block" | head -n 20)"
      touch "$scratch/shown-$name"
    fi
  elif [ -n "$(msiexec_lines "$block")" ]; then
    fail "a PowerShell block in README.md runs msiexec but is none of $deploy's scripts:
$(head -n 3 "$block")"
  fi
done

# The program's version as the package's name spells it (cmake/Version.cmake): 1.0.6 is 1.00.0006.
version=$(sed -n 's/^project(Calmora VERSION \([0-9]*\)\.\([0-9]*\)\.\([0-9]*\).*/\1 \2 \3/p' \
  "$root/CMakeLists.txt" | awk '{ printf "%d.%02d.%04d", $1, $2, $3 }')
[ -n "$version" ] || fail "no project version in CMakeLists.txt"

# The lines that run code: no comments, no blank lines.
code() { grep -vE '^[[:space:]]*(#|$)' "$1" || true; }
for script in "${scripts[@]}"; do
  name=${script##*/}
  [ -e "$scratch/shown-$name" ] || fail "README.md does not show $name as a PowerShell block"
  # Windows PowerShell 5.1 reads a script without a byte-order mark in the ANSI code page.
  if LC_ALL=C grep -q '[^[:print:][:space:]]' "$script"; then
    fail "$name holds characters other than ASCII"
  fi
  if [ -n "$(msiexec_lines "$script")" ]; then
    # 64-bit PowerShell: a 32-bit one starts the script again through Sysnative and hands on its
    # exit code, before anything reads the registry.
    relaunch=$(code "$script" | awk '
      /^if \(-not \[Environment\]::Is64BitProcess -and \[Environment\]::Is64BitOperatingSystem\) \{$/ {
        getline a; getline b; getline c
        if (a ~ /^ *& "\$env:SystemRoot\\Sysnative\\WindowsPowerShell\\v1\.0\\powershell\.exe" .*-File \$PSCommandPath$/ &&
            b ~ /^ *exit \$LASTEXITCODE$/ && c ~ /^}$/ && !reads) print "yes"
        exit
      }
      /HKLM:|Registry|msiexec/ { reads = 1 }')
    [ "$relaunch" == yes ] ||
      fail "$name does not start itself again in 64-bit PowerShell, first thing, and exit with its code"
    # msiexec through Start-Process, waited for, its process kept; after it, every exit gives its
    # exit code, or a variable that holds nothing but its exit code or 0, and the script ends so.
    problems=$(code "$script" | awk '
      function variable_ok(v) { return v in assigned && !(v in wrong) }
      tolower($0) ~ /msiexec(\.exe)?"? / {
        if (!match($0, /^ *\$[A-Za-z_]+ = Start-Process .* -Wait -PassThru$/)) {
          print "runs msiexec without keeping its process: " $0; next
        }
        split($0, words, " "); process = substr(words[1], 2); ran = 1
        next
      }
      ran && match($0, /\$[A-Za-z_]+ = /) {
        v = substr($0, RSTART + 1, RLENGTH - 4); rest = substr($0, RSTART + RLENGTH)
        assigned[v] = 1
        if (rest != "$" process ".ExitCode" && rest != "$" process ".ExitCode }" && rest != "0") wrong[v] = 1
      }
      !ran && /^ *\$[A-Za-z_]+ = 0$/ { v = $1; sub(/^\$/, "", v); assigned[v] = 1 }
      ran && /(^|[ {;])exit( |$)/ {
        value = $0; sub(/.*exit */, "", value); sub(/ *}? *$/, "", value)
        if (value == "$" process ".ExitCode") { exits_with_code = 1 }
        else if (value ~ /^\$[A-Za-z_]+$/ && variable_ok(substr(value, 2))) { }
        else print "exits with " value " after msiexec ran, not with its exit code"
      }
      { last = $0 }
      END {
        if (!ran) exit
        if (!exits_with_code) print "never exits with msiexec'\''s exit code when it fails"
        if (last !~ /^exit \$/) print "does not end by exiting with msiexec'\''s exit code: " last
      }')
    [ -z "$problems" ] || fail "$name: $problems"
  else
    # A detection script for Intune: detected is exit 0 with output, and nothing else is.
    problems=$(code "$script" | awk -v version="$version" '
      NR == 1 && $0 != "$packageVersion = [version]'\''" version "'\''" {
        print "does not begin with $packageVersion = [version]'\''" version "'\''" }
      /RegistryView\]::Registry64/ { view = 1 }
      /Write-Output|Write-Host|Out-Host|\[Console\]::/ { output = NR }
      /exit 0/ && output == NR - 1 { detected = 1 }
      /exit / && !/exit 0/ && !/exit 1$/ { print "exits with something other than 0 or 1: " $0 }
      { last = $0; if (/Write-|Out-|\[Console\]::/ && !/Write-Output/) print "writes other than to STDOUT: " $0 }
      END {
        if (!view) print "does not read the registry'\''s 64-bit view"
        if (!detected) print "does not write a line right before its exit 0"
        if (last != "exit 1") print "does not end with exit 1 when nothing is detected"
      }')
    outputs=$(code "$script" | grep -c 'Write-Output' || true)
    [ "$outputs" -eq 1 ] || problems+=" writes output $outputs times, not once, where it detects"
    [ -z "$problems" ] || fail "$name: $problems"
  fi
done

[ "$failures" -eq 0 ] || { echo "$failures recipe check(s) failed" >&2; exit 1; }
echo "README.md: $commands msiexec commands, each silent with /norestart and a log; ${#scripts[@]} scripts as in $deploy, each exiting as it should."
