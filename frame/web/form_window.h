// The window the runtime builds from a window description in a browser page: real HTML controls
// at the described twip positions (96 CSS pixels an inch), their events handed to the core, the
// control members the program's Form calls through WindowHost, and the page's modal dialogs.
// The page side lives in page/*.js, reached through page.h only; this side holds the state the
// core asks about.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "project.h"
#include "window_host.h"
#include "window_rules.h"

namespace forms::detail {

class FormWindow final : public WindowHost, private WindowFocus {
public:
    explicit FormWindow(const Project& project);
    ~FormWindow() override;

    // Puts the window on the page and gives the focus to the first control in tab order that is
    // shown and enabled.
    void showAtStart();

    Status getText(int control, std::string& text) override;
    Status setText(int control, std::string_view text) override;
    Status getValue(int control, TruthValue& value) override;
    Status setValue(int control, TruthValue value) override;
    Status getVisible(int control, bool& visible) override;
    Status setVisible(int control, bool visible) override;
    Status getEnabled(int control, bool& enabled) override;
    Status setEnabled(int control, bool enabled) override;
    Status setFocus(int control) override;
    Status getBackColor(Color& color) override;
    Status setBackColor(Color color) override;

    void showMessageBox(DialogKind kind, std::string_view caption, std::string_view prompt) override;
    std::optional<std::string> showInputBox(std::string_view caption, std::string_view prompt) override;

    // What the window shows of its controls now, for the core's rules (window_rules.h).
    bool controlShown(int control) const override;
    bool controlEnabled(int control) const override;
    bool optionSelected(int control) const override;
    int focusedControl() const override;
    bool isAvailable(int control) const { return detail::isAvailable(description(), control, *this); }
    ControlStates states() const { return controlStates(description(), *this); }

private:
    void buildControls();
    void fitFont();
    void giveFocus(int control, bool asByTab) override;

    bool shown_ = false;
};

// What the backend holds while the page is open, reached through pageState() only.
struct PageState {
    // The window the page's events go to: a page shows one window, the one built last.
    FormWindow* window = nullptr;
    // The window start-up loaded, kept for as long as the page is open.
    std::unique_ptr<FormWindow> started;
};

PageState& pageState();

// The logical resolution of a page: CSS pixels are 1/96 inch.
inline constexpr double PageDotsPerInch = 96;

}  // namespace forms::detail
