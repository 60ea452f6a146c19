#!/usr/bin/env bash
# Sets up the machine, builds the program and the engine, and analyses the bundled example
# project in a scratch folder, so the example itself stays untouched. With a display (DISPLAY or
# WAYLAND_DISPLAY set) it then opens the analysed example in the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
targets=(tolvane2023 Tolvane2023_DLL)
# The manuals that the Help menu opens, when the desktop program is built.
if grep -q '^TOLVANE_BUILD_GUI:BOOL=ON' "$build/CMakeCache.txt"; then targets+=(manuals); fi
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

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
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [[ " ${targets[*]} " == *" manuals "* ]]; then
  echo
  echo "Opening $copy in the desktop program."
  nohup "$build/bin/tolvane2023" "$copy" >"$work/desktop.log" 2>&1 &
fi
exit "$status"
