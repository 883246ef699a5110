#!/usr/bin/env bash
# Starts the Windows program under Wine on a private X server and takes screenshots: the
# window as it opens, and each kind of message box (report, empty field, error report).
#   tools/screenshot-windows.sh [LEVELWISE.EXE] [OUTPUT_FOLDER]
# LEVELWISE_WINE_DPI=144 shows the window on a denser screen (the clicks for the boxes after
# the first assume 96 dpi).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
levelwise_require_packages xvfb xdotool imagemagick x11-utils wine64 fonts-wine

exe=$(realpath "${1:-build/windows/Levelwise.exe}")
out=$(realpath -m "${2:-build/screenshots-windows}")
[ -f "$exe" ] || { echo "screenshot: no program at $exe; run tools/windows.sh first" >&2; exit 1; }
mkdir -p "$out"
session=tests/wine/session.sh
wine_dir=$out/wine
$session start "$wine_dir" >/dev/null
trap '$session stop "$wine_dir"' EXIT
export DISPLAY
DISPLAY=$(cat "$wine_dir/display")

$session run "$wine_dir" "$exe" >/dev/null 2>&1 &
window=$(xdotool search --sync --onlyvisible --name '^Levelwise$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
# Without a window manager the keyboard follows the pointer: keep it over the window.
xdotool mousemove $((X + 60)) $((Y + 40))
sleep 1
import -window "$window" "$out/window.png"

# The client area's top-left corner on the screen, for clicks at the table's positions.
read -r left top < <(xwininfo -id "$window" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}')
frame=$(( (397 - 391) / 2 ))
client_x=$((left + frame)) client_y=$((top + 301 - 276 - frame))
click() { xdotool mousemove $((client_x + $1)) $((client_y + $2)) click 1; sleep 0.3; }
box_shot() {
    sleep 1
    box=$(xdotool search --onlyvisible --name '^Levelwise$' | grep -vx "$window" | head -n 1)
    import -window "$box" "$out/$1.png"
    eval "$(xdotool getwindowgeometry --shell "$box")"
    xdotool mousemove $((X + 20)) $((Y + 30))  # the keyboard follows the pointer
    sleep 0.3
    xdotool key Return
    sleep 0.5
}

xdotool key space  # the focus starts on the calculate button
box_shot report
click 190 81 && xdotool key End BackSpace BackSpace BackSpace BackSpace BackSpace
click 164 204
box_shot empty-field
click 190 81 && xdotool key 1 5 6 2 0
click 190 105 && xdotool key End x
click 164 204
box_shot error-report
echo "screenshots in $out"
