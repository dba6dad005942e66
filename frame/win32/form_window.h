// The window the runtime builds from a window description on the Win32 API: native controls at
// the described twip positions scaled to the window's DPI, their events handed to the core, the
// control members the program's Form calls through WindowHost, and the dialogs over the window.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project.h"
#include "window_host.h"
#include "window_rules.h"

namespace forms::detail {

class FormWindow final : public WindowHost, private WindowFocus {
public:
    explicit FormWindow(const Project& project);
    ~FormWindow() override;

    HWND hwnd() const { return window_; }
    // The native control of a described control, or nullptr.
    HWND control(std::string_view name) const;

    // Shows the window and gives the focus to the first control in tab order that is shown and
    // enabled. `quitWhenClosed` ends the message loop when the user closes it.
    void showAtStart(int showCommand, bool quitWhenClosed);

    // Keyboard navigation between the controls, taken before the message is translated: Tab and
    // Shift+Tab, arrows within the option group, Enter on a command button. True when used.
    bool navigate(const MSG& message);

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

    // The FormWindow of a top-level window or any of its controls, or nullptr.
    static FormWindow* of(HWND window);
    // Registers the window class of every FormWindow (at start-up, once).
    static void registerWindowClass();

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void buildControls();
    void placeControls();
    void applyFont();
    void refitFont();
    void resizeForDpi(const RECT* suggested);
    SIZE windowSizeFor(UINT dpi) const;
    void loadIcons();
    int pixels(int twips) const;
    int indexOf(HWND control) const;

    // What the core's focus rules ask of the window (window_rules.h).
    bool controlShown(int control) const override;
    bool controlEnabled(int control) const override;
    bool optionSelected(int control) const override;
    int focusedControl() const override;
    void giveFocus(int control, bool asByTab) override;

    bool isAvailable(int control) const { return detail::isAvailable(description(), control, *this); }
    ControlStates states() const { return controlStates(description(), *this); }
    void focusControl(int control, bool byTab);
    void moveFocus(int from, bool forward);
    void moveFocusAwayFrom(int control);
    void select(int option);
    void onCommand(int control, WORD notification);
    void click(int control);

    HWND window_ = nullptr;
    std::vector<HWND> controls_;  // in the order of the description
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    HFONT font_ = nullptr;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    Color backColor_ = 0;
    HBRUSH backBrush_ = nullptr;  // ours once the program set a colour; until then the system's
    HWND focusWhenInactive_ = nullptr;
    bool pressedOnWindow_ = false;
    bool quitWhenClosed_ = false;
};

}  // namespace forms::detail
