#!/usr/bin/env bash
# A run-time error must not end a program whose stderr nobody reads: condsum is started under a
# virtual display with stderr on a pipe whose reader has gone, A = 30000 and B = 10000 are typed
# and "вычислить" pressed (the sum overflows 16 bits). The program must still be running, showing
# its error box. Usage: closed_stderr_test.sh PATH_TO_CONDSUM
set -uo pipefail
program=$1
source "$(dirname "$0")/x_session.sh"
start_x_display 1024x768
# A window manager gives the window the keyboard, as on a desktop.
start_window_manager

# The reader of stderr exits at once, before the program starts.
exec 3> >(exec true)
reader=$!
wait_until "the pipe's reader did not end" eval '! kill -0 '"$reader"
"$program" 2>&3 &
pid=$!
pids+=("$pid")
exec 3>&-

# form_has_keyboard: the program's window has the keyboard.
form_has_keyboard() { [ "$(xdotool getwindowname "$(xdotool getwindowfocus)")" = Form1 ]; }
wait_until "condsum: its window never got the keyboard" form_has_keyboard || exit 1
# Text1 has the focus at start; Tab goes Text2, Text3, then the button.
xdotool type --delay 20 30000
xdotool key Tab
xdotool type --delay 20 10000
xdotool key Tab Tab space
# The error box appears, captioned with the program's name, while the program goes on.
wait_until "condsum: no error box for the overflow" xdotool search --onlyvisible --name '^condsum$' || exit 1
if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    echo "condsum ended (status $?) after writing its error to a closed stderr" >&2
    exit 1
fi
echo "condsum is still running after the error"
