// Enter, Space and Esc act once per press on Qt (held_keys.h): an application-wide filter drops
// their repeats before a button, a text box or a dialog sees them. Space is only taken on
// buttons, so that a held Space still types blanks into a text box.
#pragma once

namespace forms::detail {

// Installs the filter on the application; later calls do nothing.
void actOnceForHeldKeys();

}  // namespace forms::detail
