#!/usr/bin/env bash
# Opening scripts with bodies of 1 Mi and 16 Mi characters into the main
# window, mixed text and one long line: time to the painted window, one
# keystroke, peak memory. Each open runs in a fresh process.
#
#   bash bench/openwindow/run.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build-bench}
program=$build/bench/openwindow/bench_open_window
if [ ! -x "$program" ]; then
    echo "open-window benchmark skipped: $program is not built"
    exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for units in 1048576 16777216; do
    for shape in mixed oneline; do
        "$program" --write "$work/s.vbs" "$units" "$shape"
        printf '%-8s ' "$shape"
        "$program" "$work/s.vbs" 2>/dev/null
    done
done
