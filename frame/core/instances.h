// The runtime's default window instance: the window the runtime loaded last, over which its
// dialogs open and whose program gives their untitled caption. The core owns this state; a
// backend only hands its windows to the core (window_loading.h). No toolkit include.
#pragma once

#include <memory>
#include <string_view>

#include "project.h"

namespace forms::detail {

class WindowHost;

// The program of the default instance, nullptr before any window was loaded.
const Project* currentProject();
// The default instance, nullptr when none is open.
WindowHost* defaultWindow();

// The program's title: the caption of untitled dialogs and error boxes ("" before start-up).
std::string_view programTitle();

// Makes `window` the default instance.
void makeDefault(WindowHost& window);
// A window going away stops being the default instance.
void forgetWindow(const WindowHost& window);

// Keeps a window the runtime created itself (ensureDefaultInstance with none open) for as long
// as the process runs, or until released (a test closing its windows).
void keepCreatedWindow(std::unique_ptr<WindowHost> window);
void releaseCreatedWindow();

}  // namespace forms::detail
