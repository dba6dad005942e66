#!/usr/bin/env bash
# Starts every built program natively under a headless Wayland compositor: its toplevel window
# gets its title and the app id that links it to its desktop entry (the program's name), the
# compositor configures it and the program draws into it. What the program asks of the
# compositor is read from the client's own protocol log (WAYLAND_DEBUG).
# Usage: wayland_test.sh SOURCE_DIR PROGRAMS_DIR PROGRAM...
set -uo pipefail
source_dir=$1 programs=$2; shift 2
source "$(dirname "$0")/x_session.sh"
chmod 700 "$work"

export XDG_RUNTIME_DIR=$work WAYLAND_DISPLAY=forms-test QT_QPA_PLATFORM=wayland
unset DISPLAY
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 >"$work/weston.log" 2>&1 &
pids+=($!)
wait_until "no Wayland compositor on $WAYLAND_DISPLAY" test -S "$work/$WAYLAND_DISPLAY" || { cat "$work/weston.log"; exit 1; }

title_of() { sed -n 's/.*WindowDescription window{"\([^"]*\)".*/\1/p' "$source_dir/programs/$1/$1.cpp"; }

for name in "$@"; do
    log=$work/$name.log
    WAYLAND_DEBUG=client "$programs/$name" 2>"$log" &
    pid=$!
    # Shown: the compositor configured the toplevel and the program attached a picture after that.
    drawn() { grep -A1000 "ack_configure" "$log" | grep -q "wl_surface@[0-9]*\.attach(wl_buffer"; }
    shown_or_ended() { drawn || ! kill -0 "$pid"; }
    wait_until "$name: never drew into a configured window" shown_or_ended || { kill "$pid"; continue; }
    if ! kill -0 "$pid" 2>/dev/null; then
        fail "$name ended under Wayland: $(grep -v '^\[' "$log" | head -5)"
        continue
    fi
    kill "$pid"
    wait "$pid" 2>/dev/null
    grep -q "xdg_toplevel@[0-9]*\.set_title(\"$(title_of "$name")\")" "$log" || fail "$name: no title '$(title_of "$name")'"
    grep -q "xdg_toplevel@[0-9]*\.set_app_id(\"$name\")" "$log" || fail "$name: app id is not '$name'"
    grep -q "xdg_toplevel@[0-9]*\.configure(" "$log" || fail "$name: the compositor never configured the window"
    grep -A1000 "ack_configure" "$log" | grep -q "wl_surface@[0-9]*\.attach(wl_buffer" || fail "$name: nothing drawn"
done
[ "$failures" -eq 0 ] && echo "every window appeared under Wayland with its title and app id: $*"
exit $((failures > 0))
