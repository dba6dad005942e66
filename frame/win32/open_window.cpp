// The test hooks of open_window.h on Win32.
#include "open_window.h"

#include "form_window.h"
#include "instances.h"
#include "system.h"
#include "window_loading.h"

namespace forms {

namespace testing {

OpenWindow::OpenWindow(const Project& project) : window_(detail::loadWindow<detail::FormWindow>(project)) {
    window_->showAtStart(SW_SHOW, false);
}

OpenWindow::~OpenWindow() {
    window_.reset();
    detail::releaseCreatedWindow();
}

Form& OpenWindow::form() { return detail::formOf(*window_); }

HWND OpenWindow::window() const { return window_->hwnd(); }

HWND OpenWindow::control(std::string_view name) const { return window_->control(name); }

void processPendingMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) detail::win32::handleMessage(message);
}

}  // namespace testing

}  // namespace forms
