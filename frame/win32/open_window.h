// For tests on Windows (linked into forms_testing): opens a program's window as start-up does (Load handler, shown, first
// focus), without running the message loop, and reaches its native controls by name.
#pragma once

#include <windows.h>

#include <memory>
#include <string_view>

#include "form.h"
#include "project.h"

namespace forms::detail {
class FormWindow;
}

namespace forms::testing {

class OpenWindow {
public:
    explicit OpenWindow(const Project& project);
    ~OpenWindow();
    OpenWindow(const OpenWindow&) = delete;
    OpenWindow& operator=(const OpenWindow&) = delete;

    Form& form();
    template <class F>
    F& formAs() {
        return static_cast<F&>(form());
    }

    HWND window() const;
    // The control of a described control, or nullptr.
    HWND control(std::string_view name) const;

private:
    std::unique_ptr<detail::FormWindow> window_;
};

// Handles every message waiting for this thread as the program's message loop does (keyboard
// navigation first), then returns.
void processPendingMessages();

}  // namespace forms::testing
