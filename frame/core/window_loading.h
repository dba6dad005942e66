// Loading a window a backend has built: its form (controls' accessors and form variables) is
// made, it becomes the default instance, and its Load handler runs. No toolkit include.
#pragma once

#include <memory>
#include <stdexcept>

#include "project.h"

namespace forms::detail {

class WindowHost;

void load(WindowHost& window);

// Thrown when a window loads whose project binds a handler to a control its description lacks,
// or to an event that the control (or the window) never raises: such a handler would silently
// never run. Every program's window is loaded by its tests, so none ships with one.
class BindingError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// Checks the project's bindings against its window description; throws BindingError naming the
// first binding that cannot be delivered.
void checkBindings(const Project& project);

// A new window of a backend's type `Window`, loaded.
template <class Window>
std::unique_ptr<Window> loadWindow(const Project& project) {
    auto window = std::make_unique<Window>(project);
    load(*window);
    return window;
}

}  // namespace forms::detail
