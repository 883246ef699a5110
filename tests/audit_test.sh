#!/usr/bin/env bash
# One run of the program as a user makes it: start, a click on "Számol" (Space, since the
# focus starts there), OK on the message box, close. Under strace it must open no file for
# writing and create no internet socket, and it must end with status 0. Its pictures are PNGs
# built into it, so its start loads no image-format plugin either (guessing formats loads all).
#   audit_test.sh PROGRAM XPROBE
set -euo pipefail
program=$1 xprobe=$2
work=$(mktemp -d)
source "$(dirname "$0")/xvfb.sh"
levelwise_start_xvfb 800x600
xvfb=$LEVELWISE_XVFB_PID
traced=
# Whatever happens, nothing of this run outlives it.
trap '[ -n "$traced" ] && kill -9 -- -"$traced" 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=xcb  # a real X window, whatever the test run set for the others

# A session bus of its own, as a desktop session has; without one the D-Bus library would
# start a lasting bus daemon under the traced program.
setsid dbus-run-session -- strace -f -qq -e trace=open,openat,openat2,creat,socket,connect \
    -o "$work/trace" "$program" &
traced=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Levelwise$' | head -n 1 || true)
[ -n "$window" ] || { echo "FAIL: no window within 30 s"; exit 1; }
# What the start loaded, read before the click (a message box's button icons load plugins).
pid=$(xdotool getwindowpid "$window" 2>/dev/null || true)
[ -n "$pid" ] && [ -r "/proc/$pid/maps" ] || { echo "FAIL: no process behind the window"; exit 1; }
plugins=$(grep -oE '/[^ ]*/imageformats/[^ ]+' "/proc/$pid/maps" | sort -u || true)
# A key sent to a window that has not got the input focus yet goes nowhere: without a window
# manager, nothing gives it the focus. Given it first, as a user's click would, the key is
# handled after the focus (the X server keeps their order), and one press is enough.
xdotool windowfocus --sync "$window" 2>/dev/null || { echo "FAIL: the window took no focus"; exit 1; }
xdotool key --window "$window" space 2>/dev/null || true
box=
for _ in $(seq 600); do
    box=$(xdotool search --onlyvisible --name '^Levelwise$' | grep -vx "$window" | head -n 1 || true)
    [ -n "$box" ] && break
    sleep 0.05
done
[ -n "$box" ] || { echo "FAIL: no message box within 30 s of the click"; exit 1; }
# Without a window manager nothing gives the box the focus; do what a click on it would.
xdotool windowfocus "$box" 2>/dev/null || true
xdotool key --window "$box" Return 2>/dev/null || true
for _ in $(seq 200); do
    box=$(xdotool search --onlyvisible --name '^Levelwise$' | grep -vx "$window" || true)
    [ -z "$box" ] && break
    sleep 0.05
done
[ -z "$box" ] || { echo "FAIL: OK did not close the message box"; exit 1; }
"$xprobe" close Levelwise
( sleep 30; echo "FAIL: the program did not end on close"; kill -9 -- -"$traced" ) >&2 &
watchdog=$!
status=0
wait "$traced" || status=$?
# Its sleep too: left running, it would hold the test's output open for the rest of 30 s.
pkill -P "$watchdog" sleep 2>/dev/null || true
kill "$watchdog" 2>/dev/null || true
traced=

echo "exit status after close: $status"
echo "files opened: $(grep -cE 'open(at|at2)?\(' "$work/trace" || true)"
writes=$(grep -E 'open(at|at2)?\(|creat\(' "$work/trace" | grep -E 'O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|creat\(' |
         grep -v '= -1 ' || true)
sockets=$(grep -E 'socket\(' "$work/trace" | grep -E 'AF_INET|AF_INET6|AF_PACKET' || true)
echo "sockets: $(grep -E 'socket\(' "$work/trace" | grep -oE 'AF_[A-Z0-9]+' | sort | uniq -c | tr '\n' ' ')"
failed=0
[ "$status" -eq 0 ] || { echo "FAIL: exit status $status"; failed=1; }
[ -z "$writes" ] || { echo "FAIL: files opened for writing:"; echo "$writes"; failed=1; }
[ -z "$sockets" ] || { echo "FAIL: internet sockets:"; echo "$sockets"; failed=1; }
[ -z "$plugins" ] || { echo "FAIL: image-format plugins loaded at start:"; echo "$plugins"; failed=1; }
[ $failed -eq 0 ] && echo "no file opened for writing, no internet socket, no image plugin loaded at start"
exit $failed
