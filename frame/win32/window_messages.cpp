// The Win32 window's messages: keyboard navigation by the core's rules, clicks, colours,
// activation, DPI and system changes.
#include "events.h"
#include "held_keys.h"
#include "later_windows.h"
#include "form_window.h"
#include "navigation.h"
#include "window_rules.h"

namespace forms::detail {

void FormWindow::moveFocus(int from, bool forward) {
    const int next = nextTabStop(description(), from, forward, states());
    if (next >= 0) focusControl(next, true);
}

void FormWindow::moveFocusAwayFrom(int control) {
    // Nothing else takes the focus: the window keeps it, so keys still reach it.
    if (!detail::moveFocusAwayFrom(description(), control, *this)) SetFocus(window_);
}

void FormWindow::select(int option) {
    for (std::size_t index = 0; index < controls_.size(); ++index) {
        if (descriptionOf(static_cast<int>(index)).kind != ControlKind::OptionButton) continue;
        SendMessageW(controls_[index], BM_SETCHECK, static_cast<int>(index) == option ? BST_CHECKED : BST_UNCHECKED,
                     0);
    }
}

// A click as the user makes it with the keyboard: an option button is selected first.
void FormWindow::click(int control) {
    if (descriptionOf(control).kind == ControlKind::OptionButton) select(control);
    deliverClick(*this, control);
}

bool FormWindow::navigate(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    const int from = message.hwnd == window_ ? -1 : indexOf(message.hwnd);
    if (message.hwnd != window_ && from < 0) return false;
    switch (message.wParam) {
    case VK_TAB:
        moveFocus(from, GetKeyState(VK_SHIFT) >= 0);
        return true;
    case VK_RETURN:
        // Enter presses the focused command button; in a text box it stays the box's KeyPress.
        if (from < 0 || !enterPresses(descriptionOf(from).kind)) return false;
        click(from);
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        if (from < 0 || descriptionOf(from).kind != ControlKind::OptionButton) return false;
        if (const int next = nextInOptionGroup(description(), from, message.wParam == VK_RIGHT || message.wParam == VK_DOWN,
                                               states());
            next >= 0) {
            focusControl(next, false);
            click(next);
        }
        return true;
    default: return false;
    }
}

void FormWindow::onCommand(int control, WORD notification) {
    if (notification != BN_CLICKED) return;
    const ControlKind kind = descriptionOf(control).kind;
    if (kind != ControlKind::CommandButton && kind != ControlKind::OptionButton) return;  // STN_CLICKED is 0 too
    if (kind == ControlKind::OptionButton) {
        // A clicked option button has selected itself; one that is not selected only notes that
        // the keyboard's focus came to it, which is no click and selects nothing.
        if (!optionSelected(control)) return;
        select(control);
    }
    deliverClick(*this, control);
}

LRESULT CALLBACK FormWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->onMessage(message, wParam, lParam);
}

LRESULT FormWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const int control = indexOf(reinterpret_cast<HWND>(lParam));
        if (control >= 0) onCommand(control, HIWORD(wParam));
        return 0;
    }
    case WM_LBUTTONDOWN:
        pressedOnWindow_ = true;
        SetCapture(window_);
        return 0;
    case WM_LBUTTONUP: {
        const bool pressed = pressedOnWindow_;
        pressedOnWindow_ = false;
        if (GetCapture() == window_) ReleaseCapture();
        RECT client{};
        GetClientRect(window_, &client);
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (pressed && PtInRect(&client, point)) deliverClick(*this, TheWindow);
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressedOnWindow_ = false;
        return 0;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, backBrush_ ? backBrush_ : GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_CTLCOLORSTATIC: {
        // Labels and option buttons keep the system's own background, whatever the window's colour.
        auto context = reinterpret_cast<HDC>(wParam);
        SetTextColor(context, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(context, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_ACTIVATEAPP:
        // Keys released while another program has the keyboard are never seen here.
        if (!wParam) heldKeys().releaseAll();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window_, focus)) focusWhenInactive_ = focus;
            return 0;
        }
        if (!HIWORD(wParam)) {
            const int control = indexOf(focusWhenInactive_);
            if (control >= 0 && isAvailable(control)) {
                SetFocus(focusWhenInactive_);
            } else {
                moveFocus(-1, true);
                if (!GetFocus()) SetFocus(window_);
            }
        }
        return 0;
    case win32::DpiScaledSizeMessage: {
        *reinterpret_cast<SIZE*>(lParam) = windowSizeFor(static_cast<UINT>(wParam));
        return TRUE;
    }
    case WM_DPICHANGED: {
        dpi_ = HIWORD(wParam);
        placeControls();
        refitFont();
        loadIcons();
        resizeForDpi(reinterpret_cast<const RECT*>(lParam));
        InvalidateRect(window_, nullptr, TRUE);
        return 0;
    }
    case WM_SYSCOLORCHANGE:
        for (HWND control : controls_) SendMessageW(control, WM_SYSCOLORCHANGE, wParam, lParam);
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return 0;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETNONCLIENTMETRICS) refitFont();
        break;
    case WM_DESTROY:
        if (quitWhenClosed_) PostQuitMessage(0);
        return 0;
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}


}  // namespace forms::detail
