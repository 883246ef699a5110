# A private X server for one run; sourced by the scripts that need one.
#   levelwise_start_xvfb WIDTHxHEIGHT [LOG]
# Starts Xvfb on a display nobody uses and waits until it answers; exports DISPLAY and sets
# LEVELWISE_XVFB_PID. Another run may take the same display at the same moment: that start
# fails, and the next free display is tried.
levelwise_start_xvfb() {
    local geometry=$1 log=${2:-/dev/null} number
    for number in $(shuf -i 100-899 -n 40); do
        [ -e "/tmp/.X$number-lock" ] && continue
        Xvfb ":$number" -screen 0 "${geometry}x24" -nolisten tcp </dev/null >"$log" 2>&1 &
        LEVELWISE_XVFB_PID=$!
        export DISPLAY=:$number
        for _ in $(seq 200); do
            kill -0 "$LEVELWISE_XVFB_PID" 2>/dev/null || break
            xdpyinfo >/dev/null 2>&1 && return 0
            sleep 0.05
        done
        kill "$LEVELWISE_XVFB_PID" 2>/dev/null || true
    done
    echo "levelwise: no private X server could be started" >&2
    return 1
}
