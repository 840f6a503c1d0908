#!/usr/bin/env bash
# Configures and builds the editor, its tests and benchmarks in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@" >/dev/null
# CMake 3.25 reruns moc only for files it has seen before: a header added to a
# target since the last build would get no moc code. When a target's file list
# has changed, make its moc step run again.
find "$BUILD_DIR" -name AutogenInfo.json -path '*_autogen.dir/*' | while read -r info; do
  dir=$(dirname "$info")
  stamp="$(dirname "$(dirname "$dir")")/$(basename "$dir" .dir)/timestamp"
  if [ -e "$stamp" ] && [ "$info" -nt "$stamp" ]; then rm -f "$stamp"; fi
done
cmake --build "$BUILD_DIR"
