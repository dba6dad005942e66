// The forms runtime's operations that programs call besides the control members: start-up,
// dialogs and the default window instance. No toolkit include.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "form.h"
#include "project.h"

namespace forms {

// Builds the window from the descriptor, runs its Load handler, shows it, delivers events to
// the bound handlers, and ends the process when the window is closed.
[[noreturn]] void runProject(const Project& project, int argc, char** argv);

// A modal message with one OK button, captioned `title` or, when it is left out, the program
// title. Only buttons 0 (OK alone) is offered; anything else is an invalid procedure call.
// Gives 1, the OK button's answer.
int messageBox(std::string_view prompt, int buttons = 0, std::optional<std::string_view> title = {});

// A modal question captioned with the program title: the prompt, an empty one-line field, "OK"
// and "Отмена". Gives the typed text; Cancel gives the empty text.
std::string inputBox(std::string_view prompt);

// The program-wide reference to the default instance of the window: the window the runtime
// created at start. Creates (loads, without showing) a new one only if none exists.
Form& ensureDefaultInstance();

}  // namespace forms
