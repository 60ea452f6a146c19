#!/usr/bin/env bash
# Sets up the machine, builds the program and the engine, and analyses the bundled example
# project in a scratch folder, so the example itself stays untouched.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$(nproc)" --target tolvane2023 Tolvane2023_DLL

project=${1:-examples/sand-over-clay.tv9d}
work="$build/example-run"
mkdir -p "$work"
cp "$project" "$work/"
copy="$work/$(basename "$project")"
status=0
"$build/bin/tolvane2023" --run "$copy" || status=$?
report="${copy%.*}.tv9o"
if [ -f "$report" ]; then
  echo
  echo "Report: $report"
  echo "------------------------------------------------------------------"
  cat "$report"
fi
exit "$status"
