// The window the runtime builds from a window description in a browser page: real HTML controls
// at the described twip positions (96 CSS pixels an inch), their events handed to the core, the
// control members the program's Form calls through WindowHost, and the page's modal dialogs.
// The page side lives in page.js, reached through page.h only; this side holds the state the
// core asks about.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "navigation.h"
#include "project.h"
#include "window_host.h"

namespace forms::detail {

class FormWindow final : public WindowHost {
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

    // What the window shows of its controls now, for the core's navigation rules. Shown and
    // enabled as far as the window is concerned, whether or not the window itself is.
    bool isShown(int control) const;
    bool isEnabled(int control) const;
    bool isAvailable(int control) const;
    bool isSelected(int control) const;
    ControlStates states() const;
    // The control that has the keyboard focus, or -1.
    int focused() const;

private:
    void buildControls();
    void fitFont();
    void focusControl(int control, bool byTab);
    // Where the focus goes when the control that has it is hidden or disabled.
    void moveFocusAwayFrom(int control);

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
