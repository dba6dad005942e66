// What each backend (frame/qt/, frame/win32/) supplies to the core besides its window class (a
// WindowHost) and runProject. No toolkit include.
#pragma once

#include <memory>
#include <string_view>

#include "project.h"

namespace forms::detail {
class WindowHost;
}

namespace forms::detail::backend {

// A new window of `project`, built but neither loaded nor shown: the core loads it.
std::unique_ptr<WindowHost> createWindow(const Project& project);

// Writes one error line where the platform keeps them, ended as the platform ends its lines; a
// failed write is ignored.
void writeErrorLine(std::string_view line);

}  // namespace forms::detail::backend
