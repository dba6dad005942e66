#!/usr/bin/env bash
# Starts every built program as a user does, under a virtual X display with a window manager:
# its window appears with its title, closing it through the window manager (WM_DELETE_WINDOW)
# ends the program with status 0. Toolkit options on the command line change nothing, and a
# message bus that never answers does not keep the window from opening. Nothing is written to
# stderr on the way.
# Usage: smoke_test.sh SOURCE_DIR PROGRAMS_DIR PROGRAM...
set -uo pipefail
source_dir=$1 programs=$2; shift 2
source "$(dirname "$0")/x_session.sh"
start_x_display 1280x1024
start_window_manager

title_of() { sed -n 's/.*WindowDescription window{"\([^"]*\)".*/\1/p' "$source_dir/programs/$1/$1.cpp"; }

# shown_window NAME: prints the program's shown window titled as described.
shown_window() {
    xdotool search --onlyvisible --pid "$pid" --name "^$(title_of "$1")\$" | head -1 | grep .
}

# open NAME ARGS...: starts the program and sets pid and window once the window manager has
# taken its window, or fails.
open() {
    local name=$1; shift
    "$programs/$name" "$@" 2>"$work/$name.err" &
    pid=$!
    window=
    wait_until "$name: no window titled '$(title_of "$name")'" shown_window "$name" || return 1
    local shown
    shown=$(shown_window "$name")
    wait_managed "$shown" "$name" && window=$shown
}

ended() { ! kill -0 "$pid"; }

# close NAME: asks the window manager to close the window; the program must end with status 0.
close() {
    if [ -z "$window" ]; then
        kill "$pid" 2>/dev/null
        wait "$pid"
        return 1
    fi
    wmctrl -i -c "$window"
    wait_until "$1: still running after the window manager closed its window" ended || kill "$pid"
    wait "$pid"
    local status=$?
    [ "$status" -eq 0 ] || fail "$1: exit status $status; stderr: $(cat "$work/$1.err")"
}

for name in "$@"; do
    open "$name"
    close "$name"
    # The toolkit's start-up chatter stays off the terminal.
    [ -s "$work/$name.err" ] && fail "$name wrote to stderr: $(head -3 "$work/$name.err")"
done

# -qwindowgeometry and -reverse reach no toolkit: the client area keeps its described size
# and the first option button keeps its mark on the left.
name=$1
open "$name"
expected=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
close "$name"
open "$name" -qwindowgeometry 150x100 -reverse -platform offscreen
actual=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
[ "$actual" = "$expected" ] || fail "$name with toolkit options: window $actual, without them $expected"
close "$name"

# A session bus that takes connections but never answers: the program says so and goes on.
/usr/bin/python3 -c '
import socket, sys
server = socket.socket(socket.AF_UNIX)
server.bind(sys.argv[1])
server.listen(8)
held = []
while True:
    held.append(server.accept()[0])
' "$work/silent-bus" &
pids+=($!)
wait_until "no listening socket from the silent bus" test -S "$work/silent-bus"
DBUS_SESSION_BUS_ADDRESS=unix:path=$work/silent-bus QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 open "$name"
close "$name"
grep -q "does not answer" "$work/$name.err" || fail "$name: no word about the silent bus: $(cat "$work/$name.err")"
# No bus at all.
DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus AT_SPI_BUS_ADDRESS=unix:path=$work/no-bus \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 open "$name"
close "$name"

[ "$failures" -eq 0 ] && echo "every window opened and closed: $*"
exit $((failures > 0))
