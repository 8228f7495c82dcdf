#!/usr/bin/env bash
# The converter on many small scripts: boxwright --to-ps1 on 1,000 .vbs files
# in one process, as a user converts a folder of them.
#
#   bash bench/convert_many.sh [BUILD_DIR] [REPETITIONS]
#
# The scripts are the program's own samples (BUILD_DIR/samples, written by its
# writer), copied byte for byte under 1,000 names into a fresh temporary folder
# for each repetition. Runs with no display. Prints the median time of the whole run
# and a script's share of it against the budget (all 1,000 in less than 2 s),
# with the process's processor time and peak memory. Asserts no time: it fails
# only when a run did not convert every script (an exit status other than 0,
# or a .ps1 missing).
set -euo pipefail
export LC_ALL=C

build=${1:-build-bench}
reps=${2:-3}
count=1000
program=$build/boxwright
samples=$build/samples
if [ ! -x "$program" ] || ! compgen -G "$samples/*.vbs" >/dev/null; then
    echo "converter benchmark skipped: $program or its samples in $samples are not built"
    exit 0
fi
[ -x /usr/bin/time ] || { echo "missing /usr/bin/time (Debian package: time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
load=$(cut -d' ' -f1-3 /proc/loadavg)
# The samples' bytes, kept whole (an "x" guards their last line end from the
# command substitution), so that the copies are written without a process each.
contents=()
for sample in "$samples"/*.vbs; do
    contents+=("$(cat "$sample" && printf x)")
done

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for rep in $(seq "$reps"); do
    folder=$work/run$rep
    mkdir "$folder"
    for ((i = 0; i < count; ++i)); do
        printf -v name '%s/script%04d.vbs' "$folder" "$i"
        content=${contents[$((i % ${#contents[@]}))]}
        printf '%s' "${content%x}" >"$name"
    done
    sync
    status=0
    # %e wall-clock s, %U + %S processor s, %M peak KiB
    /usr/bin/time -o "$work/time" -f '%e %U %S %M' "$program" --to-ps1 "$folder"/*.vbs \
        >"$work/out" 2>"$work/err" || status=$?
    written=$(find "$folder" -name '*.ps1' | wc -l)
    if [ "$status" -ne 0 ] || [ "$written" -ne "$count" ]; then
        echo "convert_many.sh: run $rep converted $written of $count scripts (exit $status)" >&2
        head -5 "$work/err" >&2
        exit 1
    fi
    cat "$work/time" >>"$work/times"
    rm -rf "$folder"
done

wall=$(awk '{ print $1 }' "$work/times" | median)
cpu=$(awk '{ print $2 + $3 }' "$work/times" | median)
peak=$(awk '{ print $4 / 1024 }' "$work/times" | median)
echo "converter: $count small scripts in one process (boxwright --to-ps1), median of $reps (load average $load at start)"
awk -v w="$wall" -v c="$cpu" -v p="$peak" -v n="$count" 'BEGIN {
    printf "  %.2f s in all, %.2f ms a script; processor %.2f s; peak memory %.1f MiB\n", w, w * 1000 / n, c, p
    printf "  budget 2 s for all: %s\n", (w < 2 ? "within" : "OVER")
}'
