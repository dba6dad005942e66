// What each backend (frame/qt/, frame/win32/) supplies to the shared runtime, besides its
// window (a WindowHost) and runProject. No toolkit include.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "project.h"
#include "testing.h"

namespace forms::detail::backend {

// Builds and loads (without showing) a new default instance of `project`, kept by the runtime
// in RuntimeState::createdOnDemand.
void createWindowOnDemand(const Project& project);

// The system's modal box over the default window: `prompt`, one OK button; an error icon for
// run-time errors.
void showMessageBox(testing::DialogKind kind, std::string_view caption, std::string_view prompt);

// The input box over the default window; the typed text, or nothing when cancelled.
std::optional<std::string> showInputBox(std::string_view caption, std::string_view prompt);

// Writes one error line where the platform keeps them; a failed write is ignored.
void writeErrorLine(std::string_view line);

}  // namespace forms::detail::backend
