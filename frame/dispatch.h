// How every backend delivers an event to the program: the bound handler runs with a clean
// floating-point status, and a run-time error it does not handle gets the default handling, after
// which the program goes on. Also what a typed key does once KeyPress has seen it. No toolkit include.
#pragma once

#include <cstdint>
#include <string_view>

#include "form.h"
#include "project.h"

namespace forms::detail {

// The key code of Enter as KeyPress receives it.
inline constexpr std::int16_t EnterKeyCode = 13;

std::string_view eventName(Event event);

// Delivers an event to its bound handler; an unbound event does nothing.
void dispatch(const Project& project, Form& form, std::string_view control, Event event, std::int16_t& keyCode);

// What the text box does with a typed key after its KeyPress handler returned with `keyCode`:
// Enter has done all it does and a code set to 0 swallows the key; a changed code types that
// character instead; otherwise the box takes the key as usual.
enum class KeyOutcome { TypeAsUsual, Swallow, TypeReplacement };
KeyOutcome afterKeyPress(std::int16_t typed, std::int16_t keyCode);

}  // namespace forms::detail
