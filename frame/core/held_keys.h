// A key held down acts once. Enter, Space and Esc press buttons and answer dialogs; held down,
// the keyboard repeats them, and no repeat may press a button again or answer a dialog that
// opened while the key was held (the next real press does). And no real press is ever taken for
// a repeat: a press that closes a window often has its release delivered to the window that
// closed, or to none, so "its release was not seen" does not mean "still held".
//
// Each backend reports what its platform knows of a press. Where the platform tells a repeat
// from a fresh press, that is the truth and nothing else is consulted. Only where it cannot tell
// (a toolkit that flags some repeats but not all) is a press taken for a repeat when the key's
// release has not been seen. No toolkit include.
#pragma once

#include <vector>

namespace forms::detail {

enum class KeyPressKind {
    Fresh,       // the platform says the key was up before this press
    Repeat,      // the platform says the key was already down: a repeat of a held key
    Unreported,  // the platform cannot tell; judged by whether the key's release was seen
};

class HeldKeys {
public:
    // A press of `key` (the backend's own code). True when the press acts.
    bool press(int key, KeyPressKind kind);
    // A release: the key is up again.
    void release(int key);
    // Every key counts as up (the window lost the keyboard, so releases may go elsewhere).
    void releaseAll() { down_.clear(); }

private:
    std::vector<int> down_;
};

// The keys of this process, shared by every window and dialog.
HeldKeys& heldKeys();

}  // namespace forms::detail
