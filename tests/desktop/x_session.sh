# Sourced by the desktop tests that open real windows: a work folder and the processes started
# for the test, both gone when the test ends; failures counted; a private X display and a window
# manager on demand.

work=$(mktemp -d)
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done; rm -rf "$work"; }
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# start_x_display WIDTHxHEIGHT: a virtual X display of that size, for this test alone.
start_x_display() {
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    export DISPLAY=:$(cat "$work/display")
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

# start_window_manager: a window manager on the display, unless one runs there already.
start_window_manager() {
    wmctrl -m >/dev/null 2>&1 && return
    openbox --sm-disable >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
}
