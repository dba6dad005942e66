# Sourced by the desktop tests that open real windows: a work folder and the processes started
# for the test, both gone when the test ends; failures counted; a private X display and a window
# manager on demand; and waits for what a step needs (the display, the window manager, a window
# taken by the window manager, the keyboard, the clipboard), each with one generous limit that,
# when it passes, fails the test with a line naming what never came.

work=$(mktemp -d)
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done; rm -rf "$work"; }
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# How long a wait may take before what it waits for counts as never coming. A busy machine can
# take many seconds to start a window manager or show a window; a missing one never comes.
patience=${FORMS_TEST_PATIENCE:-30}

# wait_until WHAT COMMAND...: runs COMMAND until it succeeds. After $patience seconds it fails
# the test with "WHAT after N s" and returns 1.
wait_until() {
    local what=$1; shift
    local deadline=$((SECONDS + patience))
    until "$@" >/dev/null 2>&1; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            fail "$what after $patience s"
            return 1
        fi
        sleep 0.05
    done
}

# start_x_display WIDTHxHEIGHT: a virtual X display of that size, for this test alone. It never
# resets: an X server left by its last client resets, and a client connecting meanwhile (the
# window manager right after the check that none runs yet) is refused and ends.
start_x_display() {
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
    x_server=$!
    pids+=($!)
    wait_until "no X display from Xvfb" test -s "$work/display" || exit 1
    export DISPLAY=:$(cat "$work/display")
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

# start_window_manager: a window manager on the display, unless one runs there already; the
# test ends at once when none comes.
start_window_manager() {
    wmctrl -m >/dev/null 2>&1 && return
    openbox --sm-disable >/dev/null 2>"$work/window-manager.err" &
    window_manager=$!
    pids+=($!)
    wait_until "no window manager on $DISPLAY" wmctrl -m && return
    echo "  the window manager said: $(head -3 "$work/window-manager.err")"
    exit 1
}

# managed WINDOW: the window manager has taken the window (it lists it among its clients).
managed() {
    xprop -root _NET_CLIENT_LIST | tr ',' '\n' | grep -qi "$(printf '0x%x$' "$1")"
}

# wait_managed WINDOW WHAT: waits until the window manager has taken the window.
wait_managed() { wait_until "$2: the window manager never took its window" managed "$1"; }

# focused_name: the caption of the window that has the keyboard.
focused_name() { xdotool getwindowname "$(xdotool getwindowfocus 2>/dev/null)" 2>/dev/null; }

# clipboard_holds TEXT: the clipboard's text, read within 5 s, contains TEXT. What the read gave
# is kept for the failure line: the text, or that the clipboard's owner did not answer.
clipboard_holds() {
    local text
    text=$(timeout 5 xclip -o -selection clipboard 2>/dev/null)
    if [ $? -eq 124 ]; then
        echo "its owner did not answer a read within 5 s" >"$work/clipboard"
        return 1
    fi
    echo "it held '$text'" >"$work/clipboard"
    [[ "$text" == *"$1"* ]]
}

# wait_clipboard WHAT TEXT: waits until the clipboard holds TEXT, reading it again and again (a
# read that hangs is given up after 5 s and tried again); fails naming WHAT and the last read.
wait_clipboard() {
    wait_until "$1" clipboard_holds "$2" && return
    echo "  the clipboard at the last read: $(cat "$work/clipboard")"
    return 1
}

# run_state PID...: for each process, the nanoseconds its threads have run so far, and an R
# when one of them is running or waiting for a processor now.
run_state() {
    local pid
    for pid in "$@"; do
        cat /proc/"$pid"/task/*/schedstat 2>/dev/null | awk '{ t += $1 } END { printf "%d", t }'
        cat /proc/"$pid"/task/*/stat 2>/dev/null | awk '$3 == "R" { printf "R" }'
        echo
    done
}

# settled PID...: none of the processes waits for a processor, and none ran more than 5 ms in a
# quarter of a second: what was sent to them before has been handled (on a busy machine that can
# take long). A program at rest still wakes now and then (a caret blinking), for far less than
# that; one handling input either runs for longer or waits for a processor. Checks that
# something did not happen are made once the program has settled, never after a fixed time.
settled() {
    local before after
    before=$(run_state "$@")
    [[ "$before" != *R* ]] || return 1
    sleep 0.25
    after=$(run_state "$@")
    [[ "$after" != *R* ]] || return 1
    paste <(echo "$before") <(echo "$after") | awk '$2 - $1 > 5000000 { busy = 1 } END { exit busy }'
}

# wine_server_of PID: the wine server of the prefix the process runs in.
wine_server_of() {
    local prefix server
    prefix=$(tr '\0' '\n' </proc/"$1"/environ | grep '^WINEPREFIX=')
    for server in $(pgrep -x 'wineserver(64)?'); do
        tr '\0' '\n' </proc/"$server"/environ 2>/dev/null | grep -qxF "$prefix" && echo "$server"
    done
}
