#!/usr/bin/env bash
# The program as a screen reader meets it: a private X server and session bus with the
# accessibility bus on it, the program started there, read_window.py reading it over AT-SPI.
#   atspi_test.sh PROGRAM
set -euo pipefail
if [ -z "${LEVELWISE_ATSPI_SESSION:-}" ]; then
    source "$(dirname "$0")/../xvfb.sh"
    levelwise_start_xvfb 800x600
    trap 'kill $LEVELWISE_XVFB_PID 2>/dev/null || true' EXIT
    LEVELWISE_ATSPI_SESSION=1 dbus-run-session -- "$0" "$@"
    exit
fi
program=$1
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
launcher=$!
# Qt joins the accessibility bus when asked to, as it does when a screen reader runs.
env -u QT_QPA_PLATFORM QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=C.UTF-8 "$program" &
app=$!
trap 'kill $app $launcher 2>/dev/null || true' EXIT
/usr/bin/python3 "$(dirname "$0")/read_window.py"
