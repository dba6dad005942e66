// The runtime's process-wide state: the running project and its default window instance.
#pragma once

#include <memory>
#include <string_view>

#include "form_window.h"
#include "runtime_error.h"

namespace forms::detail {

struct RuntimeState {
    const Project* project = nullptr;
    FormWindow* defaultWindow = nullptr;
    // Windows the runtime created itself on demand (ensureDefaultInstance with none open).
    std::unique_ptr<FormWindow> createdOnDemand;
};

RuntimeState& runtimeState();

// Builds a project's window, registers it as the default instance and runs its Load handler.
std::unique_ptr<FormWindow> loadWindow(const Project& project);

// The default handling of an unhandled run-time error: one line on stderr and a modal error
// box captioned with the program title; the program goes on.
void reportRuntimeError(const RuntimeError& error, std::string_view where);

}  // namespace forms::detail
