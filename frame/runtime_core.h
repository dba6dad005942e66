// The runtime's process-wide state and the rules every backend shares: the default window
// instance, the default handling of run-time errors and the dialogs as the program sees them
// (a test's scripted responder first, the floating-point status kept). No toolkit include;
// backend.h lists what each backend supplies.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "form.h"
#include "project.h"
#include "runtime_error.h"
#include "testing.h"
#include "window_host.h"

namespace forms::detail {

struct RuntimeState {
    const Project* project = nullptr;
    // The default instance: the window the runtime created at start, and its form.
    WindowHost* defaultWindow = nullptr;
    Form* defaultForm = nullptr;
    // Windows the runtime created itself on demand (ensureDefaultInstance with none open).
    std::unique_ptr<WindowHost> createdOnDemand;
};

RuntimeState& runtimeState();

// The program's title: the caption of untitled dialogs and error boxes ("" before start-up).
std::string_view programTitle();

// Registers a new window of `project` as the default instance, then runs its Load handler.
void loadAsDefault(const Project& project, WindowHost& window, Form& form);
// A new window of a backend's type `Window` (a WindowHost with form()), registered as the
// default instance, its Load handler run.
template <class Window>
std::unique_ptr<Window> loadWindow(const Project& project) {
    auto window = std::make_unique<Window>(project);
    loadAsDefault(project, *window, window->form());
    return window;
}
// A window going away stops being the default instance.
void forgetWindow(const WindowHost& window);

// The line an unhandled run-time error writes, e.g. "sumdiff: Ошибка выполнения 2:
// переполнение (Command1_Click)".
std::string errorLine(std::string_view title, const RuntimeError& error, std::string_view where);

// The default handling of an unhandled run-time error: the error line, then a modal error box
// captioned with the program title; the program goes on.
void reportRuntimeError(const RuntimeError& error, std::string_view where);

// A modal message (or run-time error) box with one OK button, or the scripted responder's turn.
void showMessage(testing::DialogKind kind, std::string_view caption, std::string_view prompt);
// Asks for one line of text; Cancel gives the empty text.
std::string askInput(std::string_view caption, std::string_view prompt);

}  // namespace forms::detail
