#!/usr/bin/env bash
# Runs a Qt program on Wayland: a private headless Weston compositor, started for the run and
# ended with it, the program on Qt's Wayland platform.
#   run.sh PROGRAM [ARGS...]
set -euo pipefail
runtime=$(mktemp -d)  # Wayland sockets live in XDG_RUNTIME_DIR, which must be private
chmod 700 "$runtime"
socket=levelwise-$$
export XDG_RUNTIME_DIR=$runtime
# --debug lets weston-screenshooter take pictures of the output.
weston --backend=headless-backend.so --use-pixman --socket="$socket" --idle-time=0 --debug \
    --width="${LEVELWISE_WESTON_WIDTH:-1024}" --height="${LEVELWISE_WESTON_HEIGHT:-768}" \
    >"$runtime/weston.log" 2>&1 &
weston=$!
trap 'kill $weston 2>/dev/null; wait $weston 2>/dev/null; rm -rf "$runtime"' EXIT
for _ in $(seq 100); do [ -S "$runtime/$socket" ] && break; sleep 0.05; done
[ -S "$runtime/$socket" ] || { echo "weston did not start:"; cat "$runtime/weston.log"; exit 1; }
unset DISPLAY
WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland "$@"
