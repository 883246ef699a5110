#!/usr/bin/env bash
# The program started with no display named, and with one that is not there: it says what Qt
# said and why, ends with one plain line of its own, and exits with status 1.
#   no_display_test.sh PROGRAM
set -uo pipefail
program=$1
# A display number with no server behind it, picked now rather than fixed, as another run
# may hold any given number.
for number in $(shuf -i 1000-9999 -n 50); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] || break
done
status=0
for display in "" ":$number"; do
    out=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$program" 2>&1)
    code=$?
    echo "DISPLAY=$display: status $code"
    sed 's/^/  /' <<<"$out"
    [ "$code" = 1 ] || { echo "FAIL: status $code, not 1"; status=1; }
    [ "$(tail -n 1 <<<"$out")" = "levelwise: no display to show the window on" ] ||
        { echo "FAIL: the last line is not the program's own"; status=1; }
    grep -qF "qt.qpa.xcb: could not connect to display $display" <<<"$out" ||
        { echo "FAIL: Qt's reason is not shown"; status=1; }
done
exit $status
