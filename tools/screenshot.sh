#!/usr/bin/env bash
# Starts Levelwise under Xvfb and takes three screenshots: the window as it opens, the
# message box after pressing Space (the focus starts on the calculate button), and the
# context menu of the first price field. The environment passes through, so the same
# script shows the window under another locale (LC_ALL), scale (QT_SCALE_FACTOR) or style.
#   tools/screenshot.sh [PROGRAM] [OUTPUT_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
levelwise_require_packages xvfb xdotool imagemagick x11-utils

program=${1:-build/release/app/levelwise}
out=${2:-build/screenshots}
mkdir -p "$out"
[ -x "$program" ] || { echo "screenshot: no program at $program; run tools/run.sh first" >&2; exit 1; }

source tests/xvfb.sh
levelwise_start_xvfb 800x600
xvfb=$LEVELWISE_XVFB_PID
trap 'kill $app $xvfb 2>/dev/null || true' EXIT

"$program" &
app=$!
window=$(xdotool search --sync --onlyvisible --name '^Levelwise$' | head -n 1)
sleep 0.5  # let the first frame be painted
import -window "$window" "$out/window.png"

xdotool key --window "$window" space
sleep 0.5
box=$(xdotool search --onlyvisible --name '^Levelwise$' | grep -vx "$window" | head -n 1)
import -window root -crop 800x600+0+0 "$out/report-screen.png"
[ -n "$box" ] && import -window "$box" "$out/report.png"
xdotool key Return  # the box has the keyboard focus
sleep 0.3

# The right-click menu of Text1, with the window under it.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 140)) $((Y + 80)) click 3
sleep 0.5
import -window root -crop "$((WIDTH + 160))x$((HEIGHT + 80))+$X+$Y" "$out/context-menu.png"
xdotool key Escape
echo "screenshots in $out"
