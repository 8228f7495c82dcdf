#!/usr/bin/env bash
# Kills the converter at random points while it saves, and counts what the
# kills left: for the replace path (a file with one name) and the in-place
# path (a file with a second name), whether the .ps1 is the old file, the new
# one, or cut off, and for a cut-off one whether the copy of its old contents
# beside it puts it back; then how many temporary files were left, and whether
# the next save removed them.
#   bash bench/kills/run.sh [BUILD_DIR] [KILLS]
set -euo pipefail
build=${1:-build}
kills=${2:-200}
program=$build/boxwright
[ -x "$program" ] || { echo "kill benchmark skipped: $program is not built"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY

# A script with a body of about 4 MB, and what its conversion writes.
python3 - "$work/x.vbs" <<'PY'
import sys
body = ("本文" * 700000 + "\"quoted\"") 
open(sys.argv[1], "wb").write(('selectkey = MsgBox("' + body.replace('"', '"&Chr(34)&"') + '", 4 + 32, "t")\r\n').encode("cp932"))
PY
"$program" --to-ps1 "$work/x.vbs" > /dev/null
cp "$work/x.ps1" "$work/new.ps1"
head -c 5000000 /dev/urandom > "$work/old.ps1"
start=$(date +%s%N); "$program" --to-ps1 --force "$work/x.vbs" > /dev/null; end=$(date +%s%N)
span=$(( (end - start) / 1000 ))  # microseconds a save takes

for path in replace in-place; do
    old=0 new=0 cut=0 restorable=0
    for ((i = 0; i < kills; i++)); do
        rm -f "$work/x.ps1" "$work/other.ps1" "$work/x.ps1.boxwright-backup"
        cp "$work/old.ps1" "$work/x.ps1"
        [ "$path" = in-place ] && ln "$work/x.ps1" "$work/other.ps1"
        "$program" --to-ps1 --force "$work/x.vbs" > /dev/null 2>&1 &
        pid=$!
        sleep "$(awk -v s="$span" -v r="$RANDOM" 'BEGIN { printf "%.6f", s * 1.2 * r / 32768 / 1e6 }')"
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        if cmp -s "$work/x.ps1" "$work/old.ps1"; then
            old=$((old + 1))
        elif cmp -s "$work/x.ps1" "$work/new.ps1"; then
            new=$((new + 1))
        else
            cut=$((cut + 1))
            if cmp -s "$work/x.ps1.boxwright-backup" "$work/old.ps1"; then
                restorable=$((restorable + 1))
            fi
        fi
    done
    temps=$(find "$work" -name '.boxwright-*' | wc -l)
    "$program" --to-ps1 --force "$work/x.vbs" > /dev/null
    after=$(find "$work" -name '.boxwright-[0-9]*' | wc -l)
    echo "$path: $kills kills: old $old, new $new, cut off $cut (of which the copy beside puts back $restorable);" \
         "temporary files left $temps, after the next save $after"
done
