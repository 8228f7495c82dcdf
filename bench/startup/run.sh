#!/usr/bin/env bash
# Start-up benchmark: Boxwright against a bare Qt Widgets window, side by side.
#
#   bash bench/startup/run.sh [BUILD_DIR] [REPETITIONS]
#
# BUILD_DIR (default build-bench) must hold the targets of bench/startup.
# Boxwright is measured as bench_boxwright, the program's own start with the
# first-frame probe (bench/support), built beside boxwright; the shipped
# program has no probe. Each repetition starts both programs, alternating,
# under /usr/bin/time; each program leaves right after its first painted frame
# (BOXWRIGHT_EXIT_AFTER_FIRST_FRAME=1) and prints the time since it was
# started. Peak memory is the maximum resident set size. Runs under Xvfb,
# started here when DISPLAY is not set. Prints the medians, Boxwright's ratio
# to the bare window (the budget is 1.20 for time and 1.10 for memory), the median time from a
# fresh start's first click on Preview to the message box painted and on
# "VBSで保存" to the file dialog painted (work moved out of the start must not
# simply reappear there), and the median time from choosing Upload to the page
# shown from a loopback server.
set -euo pipefail

build=${1:-build-bench}
reps=${2:-15}
bare=$build/bench/startup/bench_bare_window
app=$build/bench_boxwright
upload=$build/bench/startup/bench_upload_timing
time_budget=1.20
memory_budget=1.10

# A core-only build has neither program: nothing to compare, not a failure.
for program in "$bare" "$app"; do
    if [ ! -x "$program" ]; then
        echo "start-up benchmark skipped: $program is not built (a build with the Qt parts and -DBOXWRIGHT_BENCH=ON has it)"
        exit 0
    fi
done
[ -x /usr/bin/time ] || { echo "missing /usr/bin/time (Debian package: time)" >&2; exit 1; }

xvfb_pid=
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; rm -rf "$work"; }
work=$(mktemp -d)
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 90 120); do
        [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break
    done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
fi
export QT_QPA_PLATFORM=xcb

# One start: prints "<ms to first frame> <peak RSS in kB>".
# With a button's name as $2: clicks it after the first frame and prints
# "<ms from the click to the window it opens painted> <ms since start> <peak RSS in kB>".
measure() {
    local out
    # A click that opens nothing would wait forever: give up after a while.
    local guard=()
    [ -n "${2:-}" ] && guard=(timeout 30)
    out=$(BOXWRIGHT_EXIT_AFTER_FIRST_FRAME=1 BOXWRIGHT_CLICK_AFTER_FIRST_FRAME=${2:-} \
          BOXWRIGHT_LAUNCH_EPOCH_NS=$(date +%s%N) \
          /usr/bin/time -f 'max-rss-kb %M' -o "$work/time" "${guard[@]}" "$1" 2>/dev/null) || true
    local ms rss
    ms=$(sed -n 's/.*first-frame-ms \([0-9.]*\).*/\1/p' <<<"$out")
    rss=$(sed -n 's/max-rss-kb \([0-9]*\)/\1/p' "$work/time")
    if [ -z "$ms" ]; then
        echo "$1 did not report its first frame (does it call exitAfterFirstFrameIfAsked?)" >&2
        exit 1
    fi
    if [ -n "${2:-}" ]; then
        sed -n 's/.*after-click-ms \([0-9.]*\) shown-ms \([0-9.]*\).*/\1 \2/p' <<<"$out" | sed "s/\$/ $rss/"
        return
    fi
    echo "$ms $rss"
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Warm the file cache once for each, then alternate.
measure "$bare" >/dev/null
measure "$app" >/dev/null
: >"$work/bare"
: >"$work/app"
for _ in $(seq "$reps"); do
    measure "$bare" >>"$work/bare"
    measure "$app" >>"$work/app"
done

bare_ms=$(cut -d' ' -f1 "$work/bare" | median)
bare_kb=$(cut -d' ' -f2 "$work/bare" | median)
app_ms=$(cut -d' ' -f1 "$work/app" | median)
app_kb=$(cut -d' ' -f2 "$work/app" | median)

echo "start-up to first frame, median of $reps (Xvfb)"
printf '%-22s %10s %14s\n' program "time ms" "peak RSS kB"
printf '%-22s %10s %14s\n' "bare Qt window" "$bare_ms" "$bare_kb"
printf '%-22s %10s %14s\n' "boxwright" "$app_ms" "$app_kb"
verdict=$(awk -v at="$app_ms" -v bt="$bare_ms" -v am="$app_kb" -v bm="$bare_kb" -v tb="$time_budget" -v mb="$memory_budget" 'BEGIN {
    rt = at / bt; rm = am / bm
    printf "ratio time %.2f (budget %.2f), memory %.2f (budget %.2f): %s", rt, tb, rm, mb, (rt <= tb && rm <= mb) ? "within" : "OVER"
}')
echo "$verdict"

# The first preview and the first save dialog of a fresh start.
click_reps=$(( reps < 9 ? reps : 9 ))
for click in Command1:preview Command2:save; do
    : >"$work/$click"
    for _ in $(seq "$click_reps"); do
        measure "$app" "${click%%:*}" >>"$work/$click"
    done
done
for click in Command1:preview Command2:save; do
    what="first preview box"
    [ "${click#*:}" = save ] && what="first save dialog"
    if [ -s "$work/$click" ]; then
        printf '%-22s %s ms after the click (%s ms after start), peak RSS %s kB; median of %s\n' \
            "$what" "$(cut -d' ' -f1 "$work/$click" | median)" "$(cut -d' ' -f2 "$work/$click" | median)" \
            "$(cut -d' ' -f3 "$work/$click" | median)" "$(wc -l <"$work/$click")"
    else
        echo "$what: no result (the window did not report it)"
    fi
done

if [ -x "$upload" ]; then
    : >"$work/upload"
    upload_reps=$(( reps < 5 ? reps : 5 ))
    for _ in $(seq "$upload_reps"); do
        { BOXWRIGHT_MODULE_DIR=$build/modules "$upload" 2>/dev/null || true; } |
            sed -n 's/upload-request-ms \([0-9-]*\) upload-loaded-ms \([0-9-]*\) upload-shown-ms \([0-9-]*\)/\1 \2 \3/p' >>"$work/upload"
    done
    if [ -s "$work/upload" ]; then
        echo "Upload to page from a loopback server, median of $(wc -l <"$work/upload") first Uploads:"
        echo "  request at the server $(cut -d' ' -f1 "$work/upload" | median) ms," \
             "loaded $(cut -d' ' -f2 "$work/upload" | median) ms," \
             "shown $(cut -d' ' -f3 "$work/upload" | median) ms"
    else
        echo "Upload timing: no result (see $upload's own output)"
    fi
fi
# Over budget is reported above, not failed on: timings on a shared machine vary.
exit 0
