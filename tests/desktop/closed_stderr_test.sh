#!/usr/bin/env bash
# A run-time error must not end a program whose stderr nobody reads: condsum is started on a
# virtual display of its own with stderr on a pipe whose reader has gone, A = 30000 and
# B = 10000 are typed and "вычислить" pressed (the sum overflows 16 bits). The program must
# still be running, showing its error box. Usage: closed_stderr_test.sh PATH_TO_CONDSUM
set -uo pipefail
program=$1
source "$(dirname "$0")/x_session.sh"
start_x_display 1024x768
# A window manager gives the window and then its error box the keyboard, as on a desktop.
start_window_manager

# The reader of stderr exits at once, before the program writes anything.
exec 3> >(exec true)
reader=$!
reader_gone() { ! kill -0 "$reader" 2>/dev/null; }
wait_until "the reader of stderr never ended" reader_gone || exit 1
"$program" 2>&3 &
pid=$!
pids+=("$pid")
exec 3>&-

alive() { kill -0 "$pid" 2>/dev/null; }
has_keyboard() { [ "$(focused_name)" = "$1" ]; }
wait_settled() { wait_until "$1: condsum never became idle" settled "$pid" "$x_server" "$window_manager"; }

wait_until "condsum's window never got the keyboard" has_keyboard Form1 &&
    wait_managed "$(xdotool getwindowfocus)" condsum &&
    wait_settled "at start" || exit 1
# Text1 has the focus at start; Tab goes Text2, Text3, then the button.
xdotool type --delay 20 30000
xdotool key Tab
xdotool type --delay 20 10000
xdotool key Tab Tab space
# The error box comes, captioned with the program's name, once the error has been written; a
# program that the write ended never shows it.
box_or_ended() { has_keyboard condsum || ! alive; }
wait_until "condsum showed no error box" box_or_ended && alive && wait_settled "with its error box"
if alive; then
    echo "condsum is still running after the error, showing its box"
else
    wait "$pid" && status=0 || status=$?
    fail "condsum ended (status $status) after writing its error to a closed stderr"
fi
exit $((failures > 0))
