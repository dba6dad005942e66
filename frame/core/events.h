// How every backend delivers an event to the program: the bound handler runs with a clean
// floating-point status, and a run-time error it does not handle gets the default handling,
// after which the program goes on; an unbound event does nothing. Also what a typed key does
// once KeyPress has seen it. No toolkit include.
#pragma once

#include <cstdint>
#include <string_view>

#include "keys.h"
#include "project.h"

namespace forms::detail {

class WindowHost;

// The "control" index that stands for the window itself.
inline constexpr int TheWindow = -1;

std::string_view eventName(Event event);

// Click of a control (an index into the description) or of the window (TheWindow).
void deliverClick(WindowHost& window, int control);
// Load, once the window is built.
void deliverLoad(WindowHost& window);

// What the text box does with a typed key after its KeyPress handler returned with `keyCode`:
// Enter has done all it does and a code set to 0 swallows the key; a changed code types that
// character instead; otherwise the box takes the key as usual.
enum class KeyOutcome { TypeAsUsual, Swallow, TypeReplacement };
KeyOutcome afterKeyPress(std::int16_t typed, std::int16_t keyCode);

// A key typed into a text box: KeyPress runs with the key's code by reference. Gives what the
// box does with the key; for TypeReplacement, `replacement` is the character to type.
KeyOutcome deliverKeyPress(WindowHost& window, int textBox, std::int16_t typed, char16_t& replacement);

}  // namespace forms::detail
