#!/usr/bin/env bash
# Builds the editor and its tests with AddressSanitizer and UndefinedBehaviorSanitizer
# in build-asan/ and runs every test there; any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
BUILD_DIR=${SANITIZE_BUILD_DIR:-build-asan}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTREVIX_SANITIZERS=address,undefined -DTREVIX_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$BUILD_DIR"
# The web engine library that the preview uses (not built here) frees some objects
# through a base of another size when a page closes: its own doing, not checkable here.
# Stacks of allocations are walked in full (Qt's libraries keep no frame
# pointers), so a leak names the functions that made it and the suppressions
# in lsan.supp can match them.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:new_delete_type_mismatch=0:fast_unwind_on_malloc=0}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
ctest --test-dir "$BUILD_DIR" --output-on-failure -j2
