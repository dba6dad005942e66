// The control members the program's Form calls, on the page's HTML controls.
#include "form_window.h"
#include "page.h"

namespace forms::detail {

Status FormWindow::getText(int control, std::string& text) {
    text = page::text(control);
    return Success;
}

Status FormWindow::setText(int control, std::string_view text) {
    page::setText(control, text);
    return Success;
}

Status FormWindow::getValue(int control, TruthValue& value) {
    value = optionSelected(control) ? True : False;
    return Success;
}

Status FormWindow::setValue(int control, TruthValue value) {
    // Selecting one radio button of the group clears the others; clearing is allowed too.
    page::select(control, value != False);
    return Success;
}

Status FormWindow::getVisible(int control, bool& visible) {
    visible = controlShown(control);
    return Success;
}

Status FormWindow::setVisible(int control, bool visible) {
    if (!visible) moveFocusAwayFrom(description(), control, *this);
    page::setShown(control, visible);
    return Success;
}

Status FormWindow::getEnabled(int control, bool& enabled) {
    enabled = controlEnabled(control);
    return Success;
}

Status FormWindow::setEnabled(int control, bool enabled) {
    if (!enabled) moveFocusAwayFrom(description(), control, *this);
    page::setEnabled(control, enabled);
    return Success;
}

Status FormWindow::setFocus(int control) {
    if (!isAvailable(control) || !shown_) return CannotDo;
    giveFocus(control, false);
    return Success;
}

Status FormWindow::getBackColor(Color& color) {
    color = page::backColor();
    return Success;
}

Status FormWindow::setBackColor(Color color) {
    page::setBackColor(color);
    return Success;
}

}  // namespace forms::detail
