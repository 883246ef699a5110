#!/usr/bin/env bash
# The program started with no display named, and with one that is not there: it says one plain
# line of its own, none of Qt's advice, and exits with status 1; asked for its start-up's
# messages, it shows Qt's reason too.
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
    out=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u QT_LOGGING_RULES DISPLAY="$display" "$program" 2>&1)
    code=$?
    echo "DISPLAY=$display: status $code"
    sed 's/^/  /' <<<"$out"
    [ "$code" = 1 ] || { echo "FAIL: status $code, not 1"; status=1; }
    [ "$out" = "levelwise: no display to show the window on" ] ||
        { echo "FAIL: more than the program's own line"; status=1; }
    out=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM QT_LOGGING_RULES=levelwise.startup.debug=true \
          DISPLAY="$display" "$program" 2>&1)
    grep -qF "qt.qpa.xcb: could not connect to display $display" <<<"$out" ||
        { echo "FAIL: Qt's reason is not shown with the start-up's messages"; status=1; }
done
exit $status
