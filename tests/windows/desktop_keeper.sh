#!/bin/sh
# Starts or ends tests/windows/desktop_keeper.exe for a test run (a CTest fixture).
#   desktop_keeper.sh start STATE_DIR EMULATOR KEEPER.exe [DESKTOP...]
#   desktop_keeper.sh stop STATE_DIR
# Without an X display there is no desktop to hold, and nothing is done.
set -eu
state=$2
pid_file="$state/desktop_keeper.pid"
stop() {
    if [ -f "$pid_file" ]; then
        kill "$(cat "$pid_file")" 2>/dev/null || true
        rm -f "$pid_file"
    fi
}
case $1 in
start)
    [ -n "${DISPLAY:-}" ] || exit 0
    stop
    mkdir -p "$state"
    ready="$state/desktop_keeper.ready"
    rm -f "$ready"
    # Its own session and no tie to CTest's pipes.
    emulator=$3
    keeper_exe=$4
    shift 4
    # Its error output goes to a file, shown should it end before holding the desktops.
    errors="$state/desktop_keeper.errors"
    setsid "$emulator" "$keeper_exe" "$ready" "$@" </dev/null >/dev/null 2>"$errors" &
    keeper=$!
    echo $keeper >"$pid_file"
    # Ended with CTest too, should the run stop before its cleanup.
    ctest_pid=$PPID
    setsid sh -c "while kill -0 $ctest_pid 2>/dev/null && kill -0 $keeper 2>/dev/null; do sleep 2; done;
                  kill $keeper 2>/dev/null" </dev/null >/dev/null 2>&1 &
    # Generous: wine can take long to start on a busy machine.
    for _ in $(seq 600); do
        [ -f "$ready" ] && exit 0
        if ! kill -0 "$keeper" 2>/dev/null; then
            status=0
            wait "$keeper" || status=$?
            cat "$errors" >&2
            echo "desktop_keeper.exe ended (status $status) without holding wine's desktops" >&2
            exit 1
        fi
        sleep 0.1
    done
    echo "wine's desktops not held after 60 s: desktop_keeper.exe never said it was ready" >&2
    exit 1
    ;;
stop) stop ;;
esac
