#!/usr/bin/env bash
# A run-time error must not end a program whose stderr nobody reads: condsum is started under a
# virtual display with stderr on a pipe whose reader has gone, A = 30000 and B = 10000 are typed
# and "вычислить" pressed (the sum overflows 16 bits). The program must still be running, showing
# its error box. Usage: closed_stderr_test.sh PATH_TO_CONDSUM
set -euo pipefail
program=$1
display=:$((40 + RANDOM % 200))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# The reader of stderr exits at once, before the program writes anything.
exec 3> >(exec true)
sleep 0.2
"$program" 2>&3 &
pid=$!
exec 3>&-

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Form1$' | head -n 1)
sleep 0.5
# Text1 has the focus at start; Tab goes Text2, Text3, then the button.
xdotool type --delay 20 30000
xdotool key Tab
xdotool type --delay 20 10000
xdotool key Tab Tab space
# The error box appears, captioned with the program's name.
timeout 10 xdotool search --sync --onlyvisible --name '^condsum$' >/dev/null
sleep 0.5
if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" && status=0 || status=$?
    echo "condsum ended (status $status) after writing its error to a closed stderr" >&2
    exit 1
fi
echo "condsum is still running after the error, window $window"
