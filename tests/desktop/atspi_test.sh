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
source "$here/x_session.sh"
start_x_display 1024x768
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$programs/sumdiff" &
pids+=($!)
/usr/bin/python3 "$here/atspi_client.py" sumdiff
