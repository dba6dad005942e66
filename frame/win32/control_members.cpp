// The control members the program's Form calls, on the Win32 controls.
#include "form_window.h"
#include "system.h"

namespace forms::detail {

Status FormWindow::getText(int control, std::string& text) {
    text = win32::narrow(win32::windowText(controls_[control]));
    return Success;
}

Status FormWindow::setText(int control, std::string_view text) {
    return SetWindowTextW(controls_[control], win32::wide(text).c_str()) ? Success : CannotDo;
}

Status FormWindow::getValue(int control, TruthValue& value) {
    value = optionSelected(control) ? True : False;
    return Success;
}

Status FormWindow::setValue(int control, TruthValue value) {
    if (value != False) {
        select(control);
    } else {
        SendMessageW(controls_[control], BM_SETCHECK, BST_UNCHECKED, 0);
    }
    return Success;
}

Status FormWindow::getVisible(int control, bool& visible) {
    visible = controlShown(control);
    return Success;
}

Status FormWindow::setVisible(int control, bool visible) {
    if (!visible) moveFocusAwayFrom(control);
    ShowWindow(controls_[control], visible ? SW_SHOWNA : SW_HIDE);
    return Success;
}

Status FormWindow::getEnabled(int control, bool& enabled) {
    enabled = controlEnabled(control);
    return Success;
}

Status FormWindow::setEnabled(int control, bool enabled) {
    if (!enabled) moveFocusAwayFrom(control);
    EnableWindow(controls_[control], enabled);
    return Success;
}

Status FormWindow::setFocus(int control) {
    if (!isAvailable(control) || !IsWindowVisible(window_)) return CannotDo;
    focusControl(control, false);
    return Success;
}

Status FormWindow::getBackColor(Color& color) {
    color = backBrush_ ? backColor_ : static_cast<Color>(GetSysColor(COLOR_BTNFACE));
    return Success;
}

Status FormWindow::setBackColor(Color color) {
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(color));
    if (!brush) return CannotDo;
    if (backBrush_) DeleteObject(backBrush_);
    backBrush_ = brush;
    backColor_ = color;
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return Success;
}


}  // namespace forms::detail
