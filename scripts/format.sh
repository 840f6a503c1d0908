#!/usr/bin/env bash
# Formats every C++ source of the project with clang-format and the project's .clang-format.
# "format.sh --check" changes nothing and lists the files that differ from that layout
# (the test format_check runs it).
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' \
  'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h' 'help/pictures/*.cpp' 'help/pictures/*.h')
if [ "${1:-}" = --check ]; then
  unformatted=()
  for f in "${files[@]}"; do
    clang-format --style=file "$f" | cmp -s - "$f" || unformatted+=("$f")
  done
  [ ${#unformatted[@]} -eq 0 ] && exit 0
  printf 'not formatted (run scripts/format.sh): %s\n' "${unformatted[@]}"
  exit 1
fi
clang-format -i --style=file "${files[@]}"
