// The key codes of the action keys as a key press carries them: what a program's KeyPress
// handler compares with, and what the window rules go by; and Backspace's, which a text box's
// KeyPress receives too. They are also the keys' codes on Windows.
#pragma once

#include <cstdint>

namespace forms {

inline constexpr std::int16_t EnterKey = 13;
inline constexpr std::int16_t EscapeKey = 27;
inline constexpr std::int16_t SpaceKey = 32;
inline constexpr std::int16_t BackspaceKey = 8;

}  // namespace forms
