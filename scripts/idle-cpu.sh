#!/usr/bin/env bash
# CPU the editor costs when nobody uses it: starts build/bin's editor on the bundled sample
# under a virtual display, leaves it alone until the chart has drawn and settled, and prints
# the CPU time the editor and all its processes (the web engine's included) used over the
# next stretch, as a percentage of one core.
#   bash scripts/idle-cpu.sh [rest|pointer] [settle seconds] [measured seconds]
# rest: nothing touches the editor (default); pointer: the pointer rests over the chart.
# Defaults: 10 seconds to settle after the window has appeared, 10 measured.
set -euo pipefail
cd "$(dirname "$0")/.."
MODE=${1:-rest}
SETTLE=${2:-10}
MEASURED=${3:-10}
case $MODE in rest | pointer) ;; *) echo "usage: $0 [rest|pointer] [settle] [measured]" >&2; exit 2 ;; esac
export QTWEBENGINE_DISABLE_SANDBOX=1
user=$(mktemp -d)
trap 'rm -rf "$user"' EXIT
export XDG_CONFIG_HOME=$user XDG_CACHE_HOME=$user
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  mode=$0 settle=$1 measured=$2
  build/bin/TrevixStyleEditor 2>/dev/null & editor=$!
  window=
  for _ in $(seq 100); do
    window=$(xdotool search --sync --onlyvisible --pid "$editor" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "the editor showed no window" >&2; kill $editor; exit 1; }
  if [ "$mode" = pointer ]; then
    # The chart lies in the right part of the window, beside the grid.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + WIDTH * 4 / 5)) $((Y + HEIGHT / 2))
  fi
  sleep "$settle"
  descendants() { for child in $(pgrep -P "$1"); do echo "$child"; descendants "$child"; done; }
  # User and system time of each process, in clock ticks, with its name.
  ticks() { for pid in $editor $(descendants $editor); do
              name=$(basename "$(tr "\0" "\n" < /proc/$pid/cmdline | head -1)")
              type=$(tr "\0" "\n" < /proc/$pid/cmdline | sed -n "s/^--type=//p" | head -1)
              awk -v pid=$pid -v name="$name${type:+ ($type)}" "{print pid, \$14 + \$15, name}" /proc/$pid/stat 2>/dev/null || true
            done; }
  before=$(ticks)
  sleep "$measured"
  after=$(ticks)
  hz=$(getconf CLK_TCK)
  join <(echo "$before" | cut -d" " -f1,2 | sort) <(echo "$after" | sort) |
    awk -v hz=$hz -v s=$measured "{printf \"  %-40s %5.1f%%\n\", substr(\$0, index(\$0, \$4)), 100 * (\$3 - \$2) / hz / s}"
  used=$(join <(echo "$before" | cut -d" " -f1,2 | sort) <(echo "$after" | sort) | awk "{sum += \$3 - \$2} END {print sum + 0}")
  awk -v used=$used -v hz=$hz -v s=$measured -v mode=$mode \
    "BEGIN {printf \"%s: %.1f%% of one core over %d s (%d ticks of 1/%d s)\n\", mode, 100 * used / hz / s, s, used, hz}"
  kill $editor
' "$MODE" "$SETTLE" "$MEASURED"
