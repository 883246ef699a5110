#!/usr/bin/env bash
# Starts the Windows program under Wine on a private X server and takes screenshots: the
# window as it opens, and each kind of message box (report, empty field, error report).
#   tools/screenshot-windows.sh [LEVELWISE.EXE] [OUTPUT_FOLDER]
# LEVELWISE_WINE_DPI=144 shows the window on a denser screen.
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
over_window="$((X + 60)) $((Y + 40))"
xdotool mousemove $over_window
sleep 1
import -window "$window" "$out/window.png"

box_shot() {
    sleep 1
    box=$(xdotool search --onlyvisible --name '^Levelwise$' | grep -vx "$window" | head -n 1)
    import -window "$box" "$out/$1.png"
    eval "$(xdotool getwindowgeometry --shell "$box")"
    xdotool mousemove $((X + 20)) $((Y + 30))  # the keyboard follows the pointer
    sleep 0.3
    xdotool key Return
    sleep 0.5
    xdotool mousemove $over_window
    sleep 0.3
}

# By keyboard, in the table's tab order (Command1, Text1, Text2, Combo1), so that nothing
# here restates the window's places; the focus starts on the calculate button.
xdotool key space
box_shot report
xdotool key Tab ctrl+a BackSpace shift+Tab space  # Text1 emptied
box_shot empty-field
xdotool key Tab 1 5 6 2 0 Tab End x Tab Tab space  # a letter in Text2
box_shot error-report
echo "screenshots in $out"
