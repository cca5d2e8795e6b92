#!/usr/bin/env bash
# Builds and runs every test: the host unit tests natively, then the Windows-side tests and the
# end-to-end tests of the real Calmora.exe under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh
scripts/check-format.sh
scripts/check-layering.sh

cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host

cmake --preset windows >/dev/null
cmake --build --preset windows

source scripts/wine-env.sh
calmora_wine_prefix
calmora_virtual_display
cleanup() {
  wineserver -k 2>/dev/null || true
  calmora_stop_virtual_display
}
trap cleanup EXIT
# One wineserver for the whole run: every Wine start then costs a fraction of a second. Wine's
# background services start with the first program and live as long as the server: started
# here, they hold no pipe of CTest's open.
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1
rm -rf build/windows/screenshots
# The Windows and end-to-end tests run once, below, from the test bundle as a PC runs them.
ctest --preset windows -E '^(windows_tests|e2e_tests)$'
wineserver -k

# The test bundle, unpacked and run by cmd in a fresh prefix of its own. Wine gives its processes
# a full administrator's token, so the run counts as elevated and installs, starts and uninstalls
# the package too.
bundle=$PWD/build/test-bundle
rm -rf "$bundle"
mkdir -p "$bundle"
scripts/package.sh --tests --out "$bundle/dist" >"$bundle/package.log" 2>&1 ||
  { cat "$bundle/package.log" >&2; exit 1; }
unzip -q "$bundle"/dist/Calmora-*-tests.zip -d "$bundle/unpacked"
export WINEPREFIX=$bundle/wineprefix
calmora_wine_prefix
wineserver -p
code=0
(cd "$bundle/unpacked" && wine cmd /c run-tests.cmd </dev/null >"$bundle/run.log" 2>&1) || code=$?
results=$bundle/unpacked/results
if [ -d "$results/screenshots" ]; then
  mkdir -p build/windows/screenshots
  cp -- "$results"/screenshots/* build/windows/screenshots/
fi
scripts/screenshots-to-png.sh build/windows/screenshots
# The summary counts every test of the reports and every step, each failure and each skip, and
# lists each skip; the package's steps ran.
reports() { cat "$results"/*.xml 2>/dev/null | grep -c -- "$1" || true; }
steps() { grep -c -- "$1" "$results/steps.txt" 2>/dev/null || true; }
# The test cases that hold a <failure> element, read apart from the bundle's own reader. Each
# record starts at a "<"; CDATA (a failure's text, which may quote XML) counts for nothing.
failing_cases() {
  cat "$results"/*.xml 2>/dev/null | awk 'BEGIN { RS = "<" }
    cdata { cdata = !index($0, "]]>"); next }
    /^!\[CDATA\[/ { cdata = !index($0, "]]>"); next }
    /^testcase[ \t\r\n\/>]/ { failing = 0 }
    /^failure[ \t\r\n\/>]/ { failing = 1 }
    /^\/testcase[ \t\r\n>]/ { cases += failing; failing = 0 }
    END { print cases + 0 }'
}
read -r passed _ failed _ skipped _ < <(head -n 1 "$results/summary.txt" 2>/dev/null | tr -d ,) || true
if [ "$code" -ne 0 ] ||
  [ "$((${passed:-0} + ${failed:-0} + ${skipped:-0}))" -ne "$(($(reports '<testcase ') + $(steps .)))" ] ||
  [ "${failed:-0}" -ne "$(($(failing_cases) + $(steps '^failed ')))" ] ||
  [ "${skipped:-0}" -ne "$(($(reports 'result="skipped"') + $(steps '^skipped ')))" ] ||
  [ "$(grep -c '^skipped ' "$results/summary.txt")" -ne "${skipped:-0}" ] ||
  [ "$(steps '^passed Package.Silent')" -ne 2 ]; then
  cat "$bundle/run.log" >&2
  echo "The test bundle failed (exit code $code); see $results" >&2
  exit 1
fi
cat "$results/summary.txt"
