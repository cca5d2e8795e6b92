#!/usr/bin/env bash
# Builds Calmora.exe and prints how long a person waits for it and how much memory it takes, for
# messages from empty to 10 MiB, side by side with a bare edit box and Wine's notepad, and where
# each goal stands; first, where the time and memory of showing a message go, stage by stage.
# Last, the login companion's time from its start to its exit.
# Measured under Wine on a virtual display. Usage: benchmark.sh [rounds]
# With other builds of Calmora.exe after the rounds, it times only the 10 MiB save of this build
# beside theirs: benchmark.sh 7 ../before/build/windows/bin/Calmora.exe
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target calmora_benchmark load_stages save_stages

source scripts/wine-env.sh
calmora_wine_prefix
calmora_virtual_display
trap 'wineserver -k 2>/dev/null || true; calmora_stop_virtual_display' EXIT
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1
if [ $# -gt 1 ]; then
  others=()
  for other in "${@:2}"; do others+=("$(winepath -w "$(realpath "$other")")"); done
  wine build/windows/bin/calmora_benchmark.exe "$1" "${others[@]}"
  exit 0
fi
wine build/windows/bin/load_stages.exe
echo
wine build/windows/bin/save_stages.exe
echo
wine build/windows/bin/calmora_benchmark.exe "${1:-5}"

# The login companion, which every login of every user runs.
cmake --build --preset windows --target login_benchmark >/dev/null
echo
wine build/windows/bin/login_benchmark.exe
