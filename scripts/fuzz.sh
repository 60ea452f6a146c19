#!/usr/bin/env bash
# Runs every libFuzzer target for SECONDS each (default 30), one after another in one process
# each, seeded from fuzz/corpus/<target>/ and from the grown corpora in ../shared/fuzz-corpus/
# (beside the repository; FUZZ_SHARED_CORPUS names another folder). What a run finds that adds
# coverage is merged back, minimised, into fuzz/corpus/<target>/. Prints per target the
# executions, the coverage and the findings (crash, leak, timeout or out-of-memory inputs, kept
# under build-fuzz/findings/<target>/); exits nonzero when any target has a finding.
#
#   scripts/fuzz.sh [SECONDS]
#   FUZZ_TARGETS="project_v9 plot_data" scripts/fuzz.sh 600   # only these, in this order
#   FUZZ_RUNS=2000000 scripts/fuzz.sh 3600    # each target stops after 2 M executions
#
# The allocation stacks of AddressSanitizer reports are left out while fuzzing (a third faster)
# and freed memory is held back 16 MB deep rather than 256 (a fifth faster, and a use after free
# is still caught while the memory is recent); run the target on a finding's input to see the
# stacks. ASAN_OPTIONS set by the caller is kept. Do not stop a running target (SIGSTOP): the
# time it is stopped counts towards its 10 s timeout, and it reports a hang that is not one.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
case "$seconds" in
  '' | *[!0-9]*)
    echo "usage: scripts/fuzz.sh [SECONDS]" >&2
    exit 64
    ;;
esac

build="$repo/build-fuzz"
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ -DTOLVANE_BUILD_FUZZ=ON -DTOLVANE_BUILD_TESTS=OFF \
      -DTOLVANE_BUILD_GUI=OFF -DTOLVANE_WERROR=ON > /dev/null
cmake --build "$build" -j "$(nproc)" > /dev/null

# The shared corpora sit beside the repository; a worktree finds them beside its main checkout.
shared=${FUZZ_SHARED_CORPUS:-"$(dirname "$repo")/shared/fuzz-corpus"}
if [ -z "${FUZZ_SHARED_CORPUS:-}" ] && [ ! -d "$shared" ]; then
  common=$(git -C "$repo" rev-parse --path-format=absolute --git-common-dir 2> /dev/null || true)
  [ -n "$common" ] && shared="$(dirname "$(dirname "$common")")/shared/fuzz-corpus"
fi
[ -d "$shared" ] || echo "note: no shared corpus at $shared; seeding from fuzz/corpus only"

# Longest input per target, in bytes: project files and plot data reach realistic sizes.
max_len() {
  case "$1" in
    expression) echo 1024 ;;      # an entry field's text
    plot_data) echo 81920 ;;      # the plot data of a run with design charts and t-z curves
    *) echo 4096 ;;               # a project of a dozen layers with depth lists
  esac
}

export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0:quarantine_size_mb=16}
runs=${FUZZ_RUNS:--1}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
summary="$work/summary"
failed=0
shopt -s nullglob
if [ -n "${FUZZ_TARGETS:-}" ]; then
  targets=()
  for name in $FUZZ_TARGETS; do targets+=("$build/bin/fuzz_$name"); done
else
  targets=("$build"/bin/fuzz_*)
fi
[ "${#targets[@]}" -gt 0 ] || { echo "no fuzz targets in $build/bin" >&2; exit 1; }

for target in "${targets[@]}"; do
  name=${target##*/fuzz_}
  [ -x "$target" ] || { echo "no fuzz target $target" >&2; exit 64; }
  kept="$repo/fuzz/corpus/$name"
  found="$work/$name"
  findings="$build/findings/$name"
  mkdir -p "$kept" "$found" "$findings"
  rm -f "$findings"/crash-* "$findings"/leak-* "$findings"/timeout-* "$findings"/oom-*
  seeds=("$kept")
  [ -d "$shared/$name" ] && seeds+=("$shared/$name")
  log="$build/findings/$name.log"
  echo "-- $name for ${seconds}s (max_len $(max_len "$name"))"
  status=0
  # New inputs go to the first folder; the seed folders are only read.
  "$target" -max_total_time="$seconds" -runs="$runs" -max_len="$(max_len "$name")" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" \
    "$found" "${seeds[@]}" > "$log" 2>&1 || status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | sed 's/cov: //')
  features=$(grep -o 'ft: [0-9]*' "$log" | tail -n 1 | sed 's/ft: //')
  artifacts=("$findings"/crash-* "$findings"/leak-* "$findings"/timeout-* "$findings"/oom-*)
  if [ "$status" -ne 0 ] || [ "${#artifacts[@]}" -gt 0 ]; then
    failed=1
    tail -n 30 "$log"
    result="${#artifacts[@]} (exit $status; see $findings)"
  else
    result=0
  fi
  # The kept corpus becomes the smallest set of inputs with the coverage of the kept and the
  # found inputs. Hand-written seeds (named by what they hold) always stay; the rest are named by
  # the SHA-1 of their content, as libFuzzer names them.
  before=$(find "$kept" -type f | wc -l)
  minimised="$work/$name.minimised"
  mkdir -p "$minimised"
  if "$target" -merge=1 -max_len="$(max_len "$name")" -timeout=10 -rss_limit_mb=2048 \
    "$minimised" "$kept" "$found" > "$build/findings/$name.merge.log" 2>&1; then
    hashed='.*/[0-9a-f]{40}'
    written=$(find "$kept" -regextype posix-extended -type f ! -regex "$hashed" \
      -exec sha1sum {} + | cut -d' ' -f1)
    # Copied first, removed after: an interrupted merge loses nothing.
    for input in "$minimised"/*; do
      grep -qx "${input##*/}" <<< "$written" || cp -n "$input" "$kept/"
    done
    find "$kept" -regextype posix-extended -type f -regex "$hashed" -print0 |
      while IFS= read -r -d '' input; do
        [ -e "$minimised/${input##*/}" ] || rm -f "$input"
      done
  else
    echo "merge of $name failed; see $build/findings/$name.merge.log"
  fi
  kept_count=$(find "$kept" -type f | wc -l)
  printf '%-16s %12s %8s %8s %6s  %s\n' "$name" "${executions:-?}" "${coverage:-?}" \
    "${features:-?}" "$before>$kept_count" "$result" >> "$summary"
done

echo
printf '%-16s %12s %8s %8s %6s  %s\n' target executions coverage features kept findings
echo "(coverage: edges reached; features: libFuzzer's finer coverage; kept: corpus files before>after)"
cat "$summary"
exit "$failed"
