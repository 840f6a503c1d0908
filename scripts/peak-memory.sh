#!/usr/bin/env bash
# Peak memory of the editor with the preview playing: starts build/bin's editor on the
# bundled sample under a virtual display, lets the chart movie play for a while, and
# prints each process's peak resident set (VmHWM) and their sum.
#   bash scripts/peak-memory.sh [seconds]      (default: 20)
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_PLAYING=${1:-20}
export QTWEBENGINE_DISABLE_SANDBOX=1
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME=$config
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  build/bin/TrevixStyleEditor & editor=$!
  sleep "$0"
  descendants() { for child in $(pgrep -P "$1"); do echo "$child"; descendants "$child"; done; }
  total=0
  for pid in $editor $(descendants $editor); do
    kb=$(awk "/^VmHWM/ {print \$2}" /proc/$pid/status 2>/dev/null || echo 0)
    printf "%-40s %8d MB\n" "$(tr "\0" " " < /proc/$pid/cmdline | cut -c1-40)" $((kb / 1024))
    total=$((total + kb))
  done
  printf "%-40s %8d MB\n" "sum of peaks" $((total / 1024))
  kill $editor
' "$SECONDS_PLAYING"
