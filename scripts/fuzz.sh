#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, with ASan and UBSan) in build-fuzz/ and runs
# each of them for the given number of seconds, one after another.
#   bash scripts/fuzz.sh [seconds] [target...]      (default: 60 seconds, every target)
# Seeds come from tests/data/fuzz/<target>/; what a run learns is kept in
# build-fuzz/corpus/<target>/, and inputs that crash in build-fuzz/artifacts/.
# FUZZ_OPTIONS adds libFuzzer options, for example FUZZ_OPTIONS=-runs=10000000, or
# FUZZ_OPTIONS="-fork=1 -runs=10000000" for long runs (a fresh process every few minutes).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
BUILD_DIR=${FUZZ_BUILD_DIR:-build-fuzz}
SECONDS_EACH=${1:-60}
shift || true
TARGETS=("$@")
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=(fuzz_xmlreader fuzz_xmlstream fuzz_stylefile fuzz_scrambler fuzz_valueeditors fuzz_recentfiles fuzz_settingsfile)

CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTREVIX_BUILD_FUZZERS=ON -DTREVIX_SANITIZERS=address,undefined \
  -DTREVIX_BUILD_TESTS=OFF -DTREVIX_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$BUILD_DIR" --target "${TARGETS[@]}"

failed=()
for target in "${TARGETS[@]}"; do
  corpus="$BUILD_DIR/corpus/$target"
  mkdir -p "$corpus" "$BUILD_DIR/artifacts"
  echo "== $target: ${SECONDS_EACH}s"
  # Qt keeps every settings file it has read in a cache, so each recent-files input
  # leaves memory behind on purpose and the leak check after every run would take
  # nine tenths of the time. The sanitized test suite looks for leaks in the same code.
  leaks=1
  [ "$target" = fuzz_recentfiles ] && leaks=0
  # shellcheck disable=SC2086
  if ! "$BUILD_DIR/fuzz/$target" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 -detect_leaks=$leaks \
      -print_final_stats=1 -artifact_prefix="$BUILD_DIR/artifacts/$target-" ${FUZZ_OPTIONS:-} \
      "$corpus" "tests/data/fuzz/$target" 2>"$BUILD_DIR/$target.log"; then
    failed+=("$target")
  fi
  grep -E '^(stat::|SUMMARY|==[0-9]+==ERROR|INFO: (fuzzed for|exiting))|Done [0-9]+ runs' "$BUILD_DIR/$target.log" || true
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Findings in: ${failed[*]} (see $BUILD_DIR/<target>.log and $BUILD_DIR/artifacts/)"
  exit 1
fi
echo "No findings."
