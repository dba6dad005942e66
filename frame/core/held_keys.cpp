#include "held_keys.h"

#include <algorithm>

namespace forms::detail {

bool HeldKeys::press(int key, bool repeatFlagged) {
    const bool wasDown = std::find(down_.begin(), down_.end(), key) != down_.end();
    if (!wasDown) down_.push_back(key);
    return !wasDown && !repeatFlagged;
}

void HeldKeys::release(int key) { std::erase(down_, key); }

HeldKeys& heldKeys() {
    static HeldKeys keys;
    return keys;
}

}  // namespace forms::detail
