#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy on the engine and on the program's
# window-free core (the project model, the components and the parts of app/main that use no
# Qt), every warning an error. It needs the compile commands of a configured build
# (BUILD_DIR, build by default, as scripts/test.sh leaves it). With paths given, only the
# sources under them are checked.
#
#   scripts/check-tidy.sh                    the engine and the core
#   scripts/check-tidy.sh engine/capacity    one folder
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD_DIR:-build}
clang_tidy=${CLANG_TIDY:-clang-tidy}
jobs=${TIDY_JOBS:-$(nproc)}
if [ ! -f "$build/compile_commands.json" ]; then
  echo "check-tidy: no $build/compile_commands.json; configure the build first" >&2
  exit 1
fi

paths=("$@")
[ "${#paths[@]}" -gt 0 ] || paths=(engine app/model app/main components)
mapfile -t sources < <(git ls-files -- "${paths[@]}" | grep -E '\.cpp$' || true)
checked=()
for source in "${sources[@]}"; do
  # The window-free core only: files that include Qt belong to the windows.
  grep -qE '^#include <Q' "$source" && continue
  checked+=("$source")
done
if [ "${#checked[@]}" -eq 0 ]; then
  echo "check-tidy: no sources under ${paths[*]}" >&2
  exit 1
fi
echo "check-tidy: ${#checked[@]} files, $jobs at a time"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
printf '%s\n' "${checked[@]}" |
  xargs -P "$jobs" -n 1 "$clang_tidy" -p "$build" --quiet --warnings-as-errors='*' >"$log" 2>&1 ||
  status=$?
# clang-tidy counts the warnings of system headers that it does not show; leave those lines out.
grep -v -E '^[0-9]+ warnings? generated\.$' "$log" || true
[ "$status" -eq 0 ] && echo "check-tidy: no findings"
exit "$status"
