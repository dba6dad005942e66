#!/bin/sh
# A program started where no window can be made (no display for the window system): one line on
# stderr naming the cause in the system's words, and exit status 1, never a crash.
#   no_window_test.sh EMULATOR PROGRAM.exe
set -u
output=$(env -u DISPLAY "$1" "$2" 2>&1)
status=$?
echo "$output"
[ "$status" -eq 1 ] || { echo "exit status $status, wanted 1" >&2; exit 1; }
[ "$(printf '%s\n' "$output" | wc -l)" -eq 1 ] || { echo "more than one line" >&2; exit 1; }
printf '%s\n' "$output" | grep -q '^sumdiff: cannot open a window: .' || { echo "no cause named" >&2; exit 1; }
