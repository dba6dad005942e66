#include "held_keys.h"

#include <algorithm>

namespace forms::detail {

bool HeldKeys::press(int key, KeyPressKind kind) {
    const bool seenDown = std::find(down_.begin(), down_.end(), key) != down_.end();
    if (!seenDown) down_.push_back(key);
    switch (kind) {
    case KeyPressKind::Fresh: return true;
    case KeyPressKind::Repeat: return false;
    case KeyPressKind::Unreported: return !seenDown;
    }
    return false;
}

void HeldKeys::release(int key) { std::erase(down_, key); }

HeldKeys& heldKeys() {
    static HeldKeys keys;
    return keys;
}

}  // namespace forms::detail
