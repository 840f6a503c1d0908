#!/usr/bin/env bash
# Memory of the editor with the preview playing: starts build/bin's editor on the bundled
# sample under a virtual display, lets the chart movie play for a while, and prints for
# each of its processes the proportional set size (PSS: shared pages divided among the
# processes that map them, so the column adds up to what the editor costs) and the peak
# resident set (VmHWM), with the sums.
#   bash scripts/peak-memory.sh [seconds]      (default: 20)
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_PLAYING=${1:-20}
export QTWEBENGINE_DISABLE_SANDBOX=1
user=$(mktemp -d)
trap 'rm -rf "$user"' EXIT
export XDG_CONFIG_HOME=$user XDG_CACHE_HOME=$user
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  build/bin/TrevixStyleEditor & editor=$!
  sleep "$0"
  descendants() { for child in $(pgrep -P "$1"); do echo "$child"; descendants "$child"; done; }
  kb() { awk -v key="$1" "\$1 == key {print \$2}" "$2" 2>/dev/null || echo 0; }
  printf "%-32s %8s %8s\n" process "PSS MB" "peak RSS"
  pss_total=0 hwm_total=0
  for pid in $editor $(descendants $editor); do
    name=$(basename "$(tr "\0" "\n" < /proc/$pid/cmdline | head -1)")
    type=$(tr "\0" "\n" < /proc/$pid/cmdline | sed -n "s/^--type=//p" | head -1)
    pss=$(kb Pss: /proc/$pid/smaps_rollup) hwm=$(kb VmHWM: /proc/$pid/status)
    sub=$(tr "\0" "\n" < /proc/$pid/cmdline | sed -n "s/^--utility-sub-type=//p" | head -1)
    printf "%-32s %8d %8d\n" "$name${type:+ ($type${sub:+ $sub})}" $((pss / 1024)) $((hwm / 1024))
    pss_total=$((pss_total + pss)) hwm_total=$((hwm_total + hwm))
  done
  printf "%-32s %8d %8d\n" total $((pss_total / 1024)) $((hwm_total / 1024))
  kill $editor
' "$SECONDS_PLAYING"
