#!/usr/bin/env bash
# Runs the AT-SPI client against sumdiff in a session of its own: a private session bus (which
# starts the accessibility bus on demand) and a virtual X display.
# Usage: atspi_test.sh PROGRAMS_DIR
set -uo pipefail
programs=$1
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${FORMS_ATSPI_SESSION:-}" ]; then
    FORMS_ATSPI_SESSION=1 exec timeout 120 dbus-run-session -- "$0" "$@" 2> >(grep -v "fd limit" >&2)
fi
work=$(mktemp -d)
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done; rm -rf "$work"; }
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display") QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
"$programs/sumdiff" &
pids+=($!)
/usr/bin/python3 "$here/atspi_client.py" sumdiff
