// The runtime's window instances: each loaded window's form, and the default instance, the
// window the runtime loaded last, over which its dialogs open and whose program gives their
// untitled caption. The core owns this state; a backend only hands its windows to the core
// (window_loading.h). No toolkit include.
#pragma once

#include <memory>
#include <string_view>

#include "project.h"

namespace forms {

class Form;

namespace detail {

class WindowHost;

// Gives a loaded window its form (made from the window's project), which ends with the window;
// a window going away also stops being the default instance.
void attachForm(WindowHost& window, std::unique_ptr<Form> form);
// The program's form of a loaded window: its accessors and form variables.
Form& formOf(const WindowHost& window);

// The program of the default instance, nullptr before any window was loaded.
const Project* currentProject();
// The default instance, nullptr when none is open.
WindowHost* defaultWindow();

// The program's title: the caption of untitled dialogs and error boxes ("" before start-up).
std::string_view programTitle();

// Makes `window`, loaded, the default instance.
void makeDefault(WindowHost& window);

// Keeps a window the runtime created itself (ensureDefaultInstance with none open) for as long
// as the process runs, or until released (a test closing its windows).
void keepCreatedWindow(std::unique_ptr<WindowHost> window);
void releaseCreatedWindow();

}  // namespace detail

}  // namespace forms
