// The control members the program's Form calls, on the page's HTML controls.
#include <emscripten.h>

#include <cstdlib>

#include "form_window.h"

namespace forms::detail {

namespace {

// A text box's text in memory the caller frees.
EM_JS(char*, textOnPage, (int control), {
    const text = formsPage.controls[control].value;
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});
EM_JS(void, setTextOnPage, (int control, const char* text, int size), {
    formsPage.controls[control].value = UTF8ToString(text, size);
});
EM_JS(void, selectOptionOnPage, (int control, int selected), {
    formsPage.focusTarget(control).checked = selected !== 0;
});
EM_JS(void, showControlOnPage, (int control, int shown), { formsPage.controls[control].hidden = shown === 0; });
EM_JS(void, enableControlOnPage, (int control, int enabled), {
    formsPage.focusTarget(control).disabled = enabled === 0;
    formsPage.controls[control].classList.toggle("forms-disabled", enabled === 0);
});
// The client area's colour as 0x00BBGGRR, read back from what the page draws.
EM_JS(int, backColorOnPage, (), {
    const parts = getComputedStyle(formsPage.client).backgroundColor.match(/[0-9]+/g) || [0, 0, 0];
    return Number(parts[0]) | Number(parts[1]) << 8 | Number(parts[2]) << 16;
});
EM_JS(void, setBackColorOnPage, (int red, int green, int blue), {
    formsPage.client.style.backgroundColor = "rgb(" + red + "," + green + "," + blue + ")";
});

}  // namespace

Status FormWindow::getText(int control, std::string& text) {
    char* copy = textOnPage(control);
    text = copy;
    std::free(copy);
    return Success;
}

Status FormWindow::setText(int control, std::string_view text) {
    setTextOnPage(control, text.data(), static_cast<int>(text.size()));
    return Success;
}

Status FormWindow::getValue(int control, TruthValue& value) {
    value = optionSelected(control) ? True : False;
    return Success;
}

Status FormWindow::setValue(int control, TruthValue value) {
    // Selecting one radio button of the group clears the others; clearing is allowed too.
    selectOptionOnPage(control, value != False ? 1 : 0);
    return Success;
}

Status FormWindow::getVisible(int control, bool& visible) {
    visible = controlShown(control);
    return Success;
}

Status FormWindow::setVisible(int control, bool visible) {
    if (!visible) moveFocusAwayFrom(description(), control, *this);
    showControlOnPage(control, visible ? 1 : 0);
    return Success;
}

Status FormWindow::getEnabled(int control, bool& enabled) {
    enabled = controlEnabled(control);
    return Success;
}

Status FormWindow::setEnabled(int control, bool enabled) {
    if (!enabled) moveFocusAwayFrom(description(), control, *this);
    enableControlOnPage(control, enabled ? 1 : 0);
    return Success;
}

Status FormWindow::setFocus(int control) {
    if (!isAvailable(control) || !shown_) return CannotDo;
    giveFocus(control, false);
    return Success;
}

Status FormWindow::getBackColor(Color& color) {
    color = static_cast<Color>(backColorOnPage());
    return Success;
}

Status FormWindow::setBackColor(Color color) {
    setBackColorOnPage(redOf(color), greenOf(color), blueOf(color));
    return Success;
}

}  // namespace forms::detail
