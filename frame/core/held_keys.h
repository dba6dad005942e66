// A key held down acts once. Enter, Space and Esc press buttons and answer dialogs; held down,
// the keyboard repeats them, and no repeat may press a button again or answer a dialog that
// opened while the key was held (the next real press does). A toolkit's own repeat flag is not
// enough: some toolkits stop flagging a repeat once the focus has moved to a dialog and back, so
// a press also counts as a repeat when the key was already down. No toolkit include.
#pragma once

#include <vector>

namespace forms::detail {

class HeldKeys {
public:
    // A press of `key` (the toolkit's own code); `repeatFlagged` is the toolkit's repeat flag.
    // True when the press acts: the key was up and the toolkit does not call it a repeat.
    bool press(int key, bool repeatFlagged);
    // A real release: the key is up again and its next press acts.
    void release(int key);
    // Every key counts as up (the window lost the keyboard, so releases may go elsewhere).
    void releaseAll() { down_.clear(); }

private:
    std::vector<int> down_;
};

// The keys of this process, shared by every window and dialog.
HeldKeys& heldKeys();

}  // namespace forms::detail
