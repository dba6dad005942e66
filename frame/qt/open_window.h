// For tests (linked into forms_testing): opens a program's window as start-up does (Load handler, shown, first focus),
// without running the event loop, and reaches its real widgets by control name.
#pragma once

#include <memory>
#include <string_view>

#include "form.h"
#include "project.h"

class QWidget;

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

    QWidget* window() const;
    // The widget of a described control; a missing name fails the calling test's assertion.
    QWidget* control(std::string_view name) const;
    template <class W>
    W* controlAs(std::string_view name) const {
        return static_cast<W*>(control(name));
    }

private:
    std::unique_ptr<detail::FormWindow> window_;
};

}  // namespace forms::testing
