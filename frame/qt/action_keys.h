// The core's action keys (window_rules.h: Enter and Esc, Space on a button) act once per press
// on Qt (held_keys.h): an application-wide filter drops their repeats before a button, a text
// box or a dialog sees them.
//
// What tells a repeat from a press, by platform:
// - X11: the server repeats a held key as a release and a press with the same timestamp. Every
//   key event the server sends is watched before the toolkit sees it (the toolkit drops a
//   release that reaches a window blocked by a dialog, and its own repeat flag misses repeats
//   once a dialog opened or closed), so each press is judged by that pair alone.
// - Wayland: the toolkit makes the repeats itself and flags every one.
// - Elsewhere (the offscreen platform of the tests): the toolkit's flag, and a press counts as
//   a repeat while the key's release has not been seen.
#pragma once

namespace forms::detail {

// Installs the filter on the application; later calls do nothing.
void actOnceForHeldKeys();

}  // namespace forms::detail
