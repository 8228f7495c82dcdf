#!/usr/bin/env bash
# Screenshots of the code window (its three tabs) and of the file, options and
# default-button menus under a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v xdotool >/dev/null || { echo "xdotool is needed: apt-get install xdotool" >&2; exit 1; }
display=${SHOT_DISPLAY:-:94}
Xvfb "$display" -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display
# Opened from the command line, as a file manager opens it.
./build/boxwright build/samples/04_yes_no_cancel.vbs &
app=$!
sleep 2
shot() { import -window root -crop "$1" "docs/$2"; }

main=$(xdotool search --onlyvisible --name '^Boxwright$' | head -1)
xdotool windowfocus --sync "$main"
xdotool mousemove 150 150 click 1 && xdotool key ctrl+End && xdotool type --delay 20 ' ①〜€'
xdotool key F7
sleep 1
code=$(xdotool search --onlyvisible --name '^コード$' | head -1)
xdotool windowmove "$code" 616 0 && xdotool windowsize "$code" 660 492
sleep 0.5
shot 1276x492+0+0 code-window.png
xdotool windowfocus --sync "$main"
xdotool mousemove 112 10 click 1   # オプション
sleep 0.5
shot 420x200+0+0 options-menu.png
xdotool key Escape
xdotool windowfocus --sync "$code"
xdotool mousemove 751 22 click 1   # the HTML tab
xdotool mousemove 1224 468 click 1 # コピー
sleep 0.5
shot 660x492+616+0 code-window-html.png
xdotool mousemove 830 22 click 1   # the PowerShell tab
sleep 0.5
shot 660x492+616+0 code-window-powershell.png
xdotool windowfocus --sync "$main"
xdotool mousemove 40 10 click 1    # ファイル
sleep 0.5
shot 420x220+0+0 file-menu.png
xdotool key Escape
xdotool mousemove 112 10 click 1   # オプション
sleep 0.3
xdotool mousemove 150 56           # 既定のボタン
sleep 0.8
shot 520x220+0+0 default-button-menu.png
