#!/usr/bin/env bash
# Saving a PowerShell script and reading it back as a user does: each the
# first command of a fresh process.
#
#   bash bench/ps1_first_open.sh [BUILD_DIR] [REPETITIONS]
#
# For bodies of 1, 4 and 16 Mi characters each repetition saves the script
# (ps1_bench --save-once: escape, UTF-8, atomic write with fsync) and reads it
# back (--read-once: file, UTF-8 decoding, parse, apply into the editor), each
# in a process of its own, the read under /usr/bin/time for its peak memory.
# Prints the medians, wall-clock and processor time (the processor time is the
# steadier figure on a loaded machine), the read's peak resident memory, and
# the 16 Mi case against the 1 Mi case: linear is 16, the budget less than 20,
# and the 16 Mi case in less than a second.
set -euo pipefail
export LC_ALL=C

build=${1:-build-bench}
reps=${2:-5}
bench=$build/bench/ps1_bench
[ -x "$bench" ] || { echo "PowerShell first-open benchmark skipped: $bench is not built"; exit 0; }
[ -x /usr/bin/time ] || { echo "missing /usr/bin/time (Debian package: time)" >&2; exit 1; }

sizes=(1048576 4194304 16777216)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
load=$(cut -d' ' -f1-3 /proc/loadavg)

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for _ in $(seq "$reps"); do
    for units in "${sizes[@]}"; do
        script=$work/dialog-$units.ps1
        "$bench" --save-once "$script" "$units" >>"$work/save-$units"
        /usr/bin/time -o "$work/time" -f '%M' "$bench" --read-once "$script" "$units" >>"$work/read-$units"
        cat "$work/time" >>"$work/peak-$units"
        rm -f "$script"
    done
done

# column 1 wall-clock, 2 processor time; the peak in KiB
figure() { awk -v c="$2" '{ print $c }' "$work/$1" | median; }
echo "PowerShell script saved and read back, each in a fresh process, median of $reps (load average $load at start)"
printf '  %-22s %18s %18s %14s\n' "body" "save ms (cpu)" "read ms (cpu)" "read peak MiB"
for units in "${sizes[@]}"; do
    printf '  %-22s %9.1f (%6.1f) %9.1f (%6.1f) %14.1f\n' "$((units >> 20)) Mi characters" \
        "$(figure "save-$units" 1)" "$(figure "save-$units" 2)" \
        "$(figure "read-$units" 1)" "$(figure "read-$units" 2)" "$(awk '{ print $1 / 1024 }' "$work/peak-$units" | median)"
done
verdict() {
    awk -v what="$1" -v s="$(figure "$1-1048576" "$2")" -v l="$(figure "$1-16777216" "$2")" -v kind="$3" 'BEGIN {
        ratio = l / s
        printf "  %s, %s: 16 Mi / 1 Mi = %.1f (linear 16, budget 20), 16 Mi in %.0f ms (budget 1000): %s\n",
               what, kind, ratio, l, (ratio < 20 && l < 1000) ? "within" : "OVER"
    }'
}
for what in save read; do
    verdict "$what" 1 "wall-clock"
    verdict "$what" 2 "processor"
done
