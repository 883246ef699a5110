# A private X server for one run; sourced by the scripts that need one.
#   levelwise_start_xvfb WIDTHxHEIGHT [LOG]
# Starts Xvfb on a display nobody uses and waits until it answers; exports DISPLAY and sets
# LEVELWISE_XVFB_PID. The server picks the display itself (-displayfd) and names it once it
# listens: a number chosen here could be taken by another run between the choice and the
# start, and a check that it answers could then reach that other run's server, which ends
# under this run's program.
levelwise_start_xvfb() {
    local geometry=$1 log=${2:-/dev/null} fifo number=""
    fifo=$(mktemp -u "${TMPDIR:-/tmp}/levelwise-xvfb.XXXXXX")
    mkfifo "$fifo"
    # -noreset: an X server resets when its last client leaves, and a client that connects
    # during the reset is refused (the accessibility bus launcher comes and goes just before
    # the program connects, which then found "no display" about once in twenty runs).
    Xvfb -displayfd 3 -noreset -screen 0 "${geometry}x24" -nolisten tcp 3>"$fifo" </dev/null >"$log" 2>&1 &
    LEVELWISE_XVFB_PID=$!
    read -r -t 30 number <"$fifo" || true
    rm -f "$fifo"
    if [ -z "$number" ]; then
        kill "$LEVELWISE_XVFB_PID" 2>/dev/null || true
        echo "levelwise: no private X server could be started" >&2
        [ "$log" = /dev/null ] || cat "$log" >&2
        return 1
    fi
    export DISPLAY=:$number
}
