#!/usr/bin/env bash
# Takes the README's screenshots of the main window under a virtual display:
# the narrow window, the wide window with the Yes/No/Cancel set, and a preview.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v xdotool >/dev/null || { echo "xdotool is needed: apt-get install xdotool" >&2; exit 1; }
display=:93
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display
./build/boxwright &
app=$!
sleep 2
shot() { import -window root -crop "$1" "docs/$2"; }

# Layout in pixels: the client area starts under the menu bar (24 px).
xdotool mousemove 150 80 click 1 && xdotool type --delay 20 "保存の確認"
xdotool mousemove 150 150 click 1 && xdotool type --delay 20 "変更を保存しますか？"
xdotool key Return && xdotool type --delay 20 'File "report.txt" was changed.'
shot 336x510+0+0 main-narrow.png
xdotool mousemove 240 336 click 1  # 続きを作る
sleep 0.3
xdotool mousemove 166 448 click 1  # はい、いいえ、キャンセル
xdotool mousemove 100 376 click 1  # 問い合わせ
sleep 0.3
shot 606x510+0+0 main-wide.png
xdotool mousemove 68 276 click 1   # プレビュー
sleep 0.8
shot 606x510+0+0 preview.png
