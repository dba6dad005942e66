// The test hook of open_window.h on Qt.
#include "open_window.h"

#include "form_window.h"
#include "instances.h"
#include "window_loading.h"

namespace forms {

namespace testing {

OpenWindow::OpenWindow(const Project& project) : window_(detail::loadWindow<detail::FormWindow>(project)) {
    window_->showAtStart();
}

OpenWindow::~OpenWindow() {
    window_.reset();
    detail::releaseCreatedWindow();
}

Form& OpenWindow::form() { return detail::formOf(*window_); }

QWidget* OpenWindow::window() const { return window_.get(); }

QWidget* OpenWindow::control(std::string_view name) const { return window_->control(name); }

}  // namespace testing

}  // namespace forms
