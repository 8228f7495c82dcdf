#!/usr/bin/env bash
# Runs a timed script as the writer wrote it under Wine's own WScript.Shell,
# on a private virtual display: its first box must close by itself after its
# time, with Popup's -1, and the script must then show the timeout's
# follow-up. Only MsgBox is shadowed (it records the follow-up instead of
# waiting for a click).
#
#   real-popup.sh WINE_STATE SCRIPT
#
# The boxes' answers and texts are echoed; line 1's answer is the value of
# selectkey when the first follow-up is shown.
#
# SCRIPT is a .vbs whose first box waits 1 second and whose timeout's
# follow-up says "timed out". Exit status 77 (skipped) without Wine or Xvfb.
set -euo pipefail
state=$1
script=$2
wine=$(command -v /usr/lib/wine/wine64 wine64 wine 2>/dev/null | head -n 1) || true
if [[ -z "$wine" ]] || ! command -v Xvfb >/dev/null; then
    echo "real-popup: skipped (no Wine or no Xvfb)"
    exit 77
fi
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The display: Xvfb writes its number once it is ready.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
read -r -t 30 display <"$work/display"

{
    printf 'Function MsgBox(prompt, buttons, title)\r\n'
    printf '    WScript.Echo "selectkey " & selectkey\r\n'
    printf '    WScript.Echo "box " & buttons & " " & prompt\r\n'
    printf '    MsgBox = 1\r\n'
    printf 'End Function\r\n'
    cat "$script"
} >"$work/run.vbs"

export WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8 LC_CTYPE=ja_JP.UTF-8
[[ -d "$state/locale" ]] && export LOCPATH="$state/locale"
export DISPLAY=":$display"
# A Wine server started without a display (the engine checks run without one)
# would give this run no windows, and Popup would fail at once: this run has
# a server of its own, stopped before and after. The checks that share the
# prefix are never run beside this one (RESOURCE_LOCK).
server=$(command -v /usr/lib/wine/wineserver64 wineserver 2>/dev/null | head -n 1) || true
stop_server() { [[ -n "$server" ]] && "$server" -k 2>/dev/null || true; [[ -n "$server" ]] && "$server" -w 2>/dev/null || true; }
stop_server
trap 'stop_server; cleanup' EXIT
started=$(date +%s%N)
output=$(timeout 120 "$wine" cscript //nologo "Z:${work//\//\\}\\run.vbs" 2>&1 | tr -d '\r')
elapsed_ms=$(( ($(date +%s%N) - started) / 1000000 ))
echo "$output"
echo "ran for ${elapsed_ms} ms"
grep -qx 'selectkey -1' <<<"$output" || { echo "real-popup: the box did not time out with -1"; exit 1; }
grep -q '^box .* timed out$' <<<"$output" || { echo "real-popup: the timeout's follow-up was not shown"; exit 1; }
(( elapsed_ms >= 1000 )) || { echo "real-popup: the box closed before its time"; exit 1; }
