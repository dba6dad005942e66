// Loading a window a backend has built: its form (controls' accessors and form variables) is
// made, it becomes the default instance, and its Load handler runs. No toolkit include.
#pragma once

#include <memory>

#include "project.h"

namespace forms::detail {

class WindowHost;

void load(WindowHost& window);

// A new window of a backend's type `Window`, loaded.
template <class Window>
std::unique_ptr<Window> loadWindow(const Project& project) {
    auto window = std::make_unique<Window>(project);
    load(*window);
    return window;
}

}  // namespace forms::detail
