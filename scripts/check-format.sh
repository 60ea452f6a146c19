#!/usr/bin/env bash
# Checks that the C++ sources are formatted as the repository's .clang-format says, without
# changing them: clang-format --dry-run -Werror on every .cpp and .h file that git knows, less
# the exclusions below. With paths given, only the files under them are checked.
#
#   scripts/check-format.sh                  every source
#   scripts/check-format.sh engine tests     the sources under engine/ and tests/
#
# Fix a file with `clang-format -i FILE`.
set -euo pipefail
cd "$(dirname "$0")/.."

# Files that stay as they are (paths relative to the repository root, one per line).
exclusions=(
)

clang_format=${CLANG_FORMAT:-clang-format}
mapfile -t files < <(git ls-files -- "${@:-.}" | grep -E '\.(cpp|h)$' || true)
checked=()
for file in "${files[@]}"; do
  skip=false
  for excluded in "${exclusions[@]}"; do
    [ "$file" = "$excluded" ] && skip=true
  done
  $skip || checked+=("$file")
done
if [ "${#checked[@]}" -eq 0 ]; then
  echo "check-format: no sources under ${*:-.}"
  exit 1
fi
echo "check-format: ${#checked[@]} files"
"$clang_format" --dry-run -Werror "${checked[@]}"
