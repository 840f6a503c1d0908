#!/usr/bin/env bash
# Sets up, builds and runs every test, then runs them all again built with
# AddressSanitizer and UndefinedBehaviorSanitizer (scripts/sanitize.sh).
# GUI tests run offscreen, so no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j2
bash scripts/sanitize.sh
