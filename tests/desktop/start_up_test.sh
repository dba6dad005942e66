#!/usr/bin/env bash
# The real executables started as a user starts them, where no window can be opened:
# --help and --version answer without a display; no display, a missing or failing platform
# plugin give one line on stderr and status 1, never an abort; toolkit options are ignored.
# Usage: start_up_test.sh PROGRAMS_DIR PROGRAM...
set -uo pipefail
dir=$1; shift
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# run NAME ARGS...: sets status, out and err, without a display.
run() {
    local name=$1; shift
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${environment[@]}" timeout 20 "$dir/$name" "$@" 2>/tmp/start_up_err.$$)
    status=$?
    err=$(cat /tmp/start_up_err.$$)
}

environment=()
for name in "$@"; do
    run "$name" --version
    [ "$status" -eq 0 ] && [ "$out" = "$name 1.00" ] && [ -z "$err" ] || fail "$name --version: $status '$out' '$err'"
    run "$name" -x --help --version
    [ "$status" -eq 0 ] && [[ "$out" == "Usage: $name [--help | --version]"* ]] && [ -z "$err" ] ||
        fail "$name --help: $status '$out' '$err'"
done

name=$1
# one_line STATUS PATTERN: exit status 1 and exactly one line on stderr matching PATTERN.
one_line() {
    [ "$status" -eq 1 ] && [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] && [[ "$err" == $1 ]] ||
        fail "${environment[*]} $name: status $status, stderr: $err"
}
# -platform offscreen would open a window nobody sees, if it reached the toolkit.
run "$name" -platform offscreen -reverse
one_line "$name: cannot open a window: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)"
environment=(QT_QPA_PLATFORM=nosuchplatform)
run "$name"
one_line "$name: cannot open a window: the platform plugin \"nosuchplatform\" is not installed"
environment=(DISPLAY=:93.7)  # no X server answers there
run "$name"
one_line "$name: cannot open a window: the platform plugin \"xcb\" failed: *display :93.7*"
environment=(QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=no-such-compositor)
run "$name"
one_line "$name: cannot open a window: the platform plugin \"wayland\" failed*"

rm -f /tmp/start_up_err.$$
[ "$failures" -eq 0 ] && echo "start-up answers as expected: $*"
exit $((failures > 0))
