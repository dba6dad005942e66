// The page contract in both directions: the program's calls into the page, each one method of
// formsPage in the page's script (page/*.js), and the forms_web_* functions the page calls in
// the program, through formsProgram (page/exports.js), which lists each of them once. No other
// file of the backend holds JavaScript.
#include "page.h"

#include <emscripten.h>

#include <cstdint>
#include <cstdlib>

#include "events.h"
#include "form_window.h"
#include "held_keys.h"
#include "window_rules.h"
#include "navigation.h"
#include "pasting.h"

namespace {

// Texts cross as UTF-8 with their length in bytes; a text the page gives back is in memory the
// caller frees, nullptr for none.
EM_JS(void, pageOpenWindow, (const char* caption, int captionSize, int width, int height, const char* notice,
                             int noticeSize), {
    formsPage.openWindow(UTF8ToString(caption, captionSize), width, height, UTF8ToString(notice, noticeSize));
});
EM_JS(void, pageAddControl, (int index, int kind, const char* name, int nameSize, const char* caption,
                             int captionSize, int left, int top, int width, int height, int centred, int hidden,
                             int hasKeyPress), {
    formsPage.addControl(index, kind, UTF8ToString(name, nameSize), UTF8ToString(caption, captionSize), left, top,
                         width, height, centred, hidden, hasKeyPress);
});
EM_JS(void, pageStack, (int control), { formsPage.stack(control); });
EM_JS(void, pageNameBy, (int textBox, int label), { formsPage.nameBy(textBox, label); });
EM_JS(double, pageTextWidth, (const char* text, int size, double pixels), {
    return formsPage.textWidth(UTF8ToString(text, size), pixels);
});
EM_JS(double, pageLineHeight, (double pixels), { return formsPage.lineHeight(pixels); });
EM_JS(void, pageUseFontSize, (double pixels), { formsPage.useFontSize(pixels); });
EM_JS(void, pageShow, (), { formsPage.show(); });
EM_JS(void, pageFocus, (int control, int byTab), { formsPage.focus(control, byTab); });
EM_JS(int, pageFocused, (), { return formsPage.focused(); });
EM_JS(int, pageIsShown, (int control), { return formsPage.isShown(control); });
EM_JS(int, pageIsEnabled, (int control), { return formsPage.isEnabled(control); });
EM_JS(int, pageIsSelected, (int control), { return formsPage.isSelected(control); });
EM_JS(char*, pageText, (int control), { return formsPage.text(control); });
EM_JS(void, pageSetText, (int control, const char* text, int size), {
    formsPage.setText(control, UTF8ToString(text, size));
});
EM_JS(void, pageSelect, (int control, int selected), { formsPage.select(control, selected); });
EM_JS(void, pageSetShown, (int control, int shown), { formsPage.setShown(control, shown); });
EM_JS(void, pageSetEnabled, (int control, int enabled), { formsPage.setEnabled(control, enabled); });
EM_JS(int, pageBackColor, (), { return formsPage.backColor(); });
EM_JS(void, pageSetBackColor, (int red, int green, int blue), { formsPage.setBackColor(red, green, blue); });
EM_ASYNC_JS(char*, pageAsk, (int kind, const char* caption, int captionSize, const char* prompt, int promptSize,
                             const char* copied, int copiedSize, const char* ok, int okSize, const char* cancel,
                             int cancelSize), {
    return formsPage.ask(kind, UTF8ToString(caption, captionSize), UTF8ToString(prompt, promptSize),
                         UTF8ToString(copied, copiedSize), UTF8ToString(ok, okSize), UTF8ToString(cancel, cancelSize));
});
EM_JS(void, pageWriteErrorLine, (const char* line, int size), { formsPage.writeErrorLine(UTF8ToString(line, size)); });

int size(std::string_view text) { return static_cast<int>(text.size()); }

// A text the page gave back, its memory freed.
std::string taken(char* text) {
    std::string copy(text);
    std::free(text);
    return copy;
}

}  // namespace

namespace forms::detail::page {

void openWindow(std::string_view caption, int width, int height, std::string_view tooLongNotice) {
    pageOpenWindow(caption.data(), size(caption), width, height, tooLongNotice.data(), size(tooLongNotice));
}

void addControl(const PlacedControl& control) {
    pageAddControl(control.index, static_cast<int>(control.kind), control.name.data(), size(control.name),
                   control.caption.data(), size(control.caption), control.left, control.top, control.width,
                   control.height, control.captionCentred, control.hiddenAtStart, control.hasKeyPress);
}

void stack(int control) { pageStack(control); }
void nameBy(int textBox, int label) { pageNameBy(textBox, label); }
double textWidth(std::string_view text, double pixels) { return pageTextWidth(text.data(), size(text), pixels); }
double lineHeight(double pixels) { return pageLineHeight(pixels); }
void useFontSize(double pixels) { pageUseFontSize(pixels); }
void show() { pageShow(); }

void focus(int control, bool byTab) { pageFocus(control, byTab); }
int focused() { return pageFocused(); }
bool isShown(int control) { return pageIsShown(control) != 0; }
bool isEnabled(int control) { return pageIsEnabled(control) != 0; }
bool isSelected(int control) { return pageIsSelected(control) != 0; }

std::string text(int control) { return taken(pageText(control)); }
void setText(int control, std::string_view text) { pageSetText(control, text.data(), size(text)); }
void select(int control, bool selected) { pageSelect(control, selected); }
void setShown(int control, bool shown) { pageSetShown(control, shown); }
void setEnabled(int control, bool enabled) { pageSetEnabled(control, enabled); }
Color backColor() { return static_cast<Color>(pageBackColor()); }
void setBackColor(Color color) { pageSetBackColor(redOf(color), greenOf(color), blueOf(color)); }

std::optional<std::string> ask(DialogKind kind, std::string_view caption, std::string_view prompt,
                               std::string_view copied, std::string_view okCaption, std::string_view cancelCaption) {
    char* answer = pageAsk(static_cast<int>(kind), caption.data(), size(caption), prompt.data(), size(prompt),
                           copied.data(), size(copied), okCaption.data(), size(okCaption), cancelCaption.data(),
                           size(cancelCaption));
    if (!answer) return std::nullopt;
    return taken(answer);
}

void writeErrorLine(std::string_view line) { pageWriteErrorLine(line.data(), size(line)); }

}  // namespace forms::detail::page

// What the page calls (page/exports.js lists each, tools/web/page_exports.py checks the two
// lists agree): the events, and the core's rules it asks about. A click and a key press may wait
// for a dialog (called as asynchronous), the rest return at once.
extern "C" {

EMSCRIPTEN_KEEPALIVE void forms_web_click(int control) {
    if (auto* window = forms::detail::pageState().window) forms::detail::deliverClick(*window, control);
}

// The outcome (KeyOutcome) above KeyOutcomeShift, the replacement character below it.
EMSCRIPTEN_KEEPALIVE int forms_web_key_press(int textBox, int typed) {
    auto* window = forms::detail::pageState().window;
    if (!window) return 0;
    char16_t replacement = 0;
    const forms::detail::KeyOutcome outcome =
        forms::detail::deliverKeyPress(*window, textBox, static_cast<std::int16_t>(typed), replacement);
    return static_cast<int>(outcome) << forms::detail::page::KeyOutcomeShift | static_cast<int>(replacement);
}

EMSCRIPTEN_KEEPALIVE int forms_web_next_tab_stop(int from, int forward) {
    auto* window = forms::detail::pageState().window;
    return window ? forms::detail::nextTabStop(window->description(), from, forward != 0, window->states()) : -1;
}

EMSCRIPTEN_KEEPALIVE int forms_web_next_in_option_group(int from, int forward) {
    auto* window = forms::detail::pageState().window;
    return window ? forms::detail::nextInOptionGroup(window->description(), from, forward != 0, window->states()) : -1;
}

// A press of Enter, Esc or Space (by their codes; `onButton` when the focus is on a button or an
// option button): whether it acts. Only the core's action keys are judged as held keys; the
// browser marks every repeat of a held key, and only those.
EMSCRIPTEN_KEEPALIVE int forms_web_press_key(int key, int onButton, int repeat) {
    using forms::detail::KeyPressKind;
    if (!forms::detail::isActionKey(key, onButton != 0)) return 1;
    return forms::detail::heldKeys().press(key, repeat != 0 ? KeyPressKind::Repeat : KeyPressKind::Fresh) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void forms_web_release_key(int key) { forms::detail::heldKeys().release(key); }

EMSCRIPTEN_KEEPALIVE void forms_web_release_all_keys() { forms::detail::heldKeys().releaseAll(); }

// Whether `inserted` characters replacing `selected` ones of a box holding `length` fit it: the
// core's rule, the same in every backend.
EMSCRIPTEN_KEEPALIVE int forms_web_fits_text_box(int length, int selected, int inserted) {
    return forms::detail::fitsTextBox(static_cast<std::size_t>(length), static_cast<std::size_t>(selected),
                                      static_cast<std::size_t>(inserted))
               ? 1
               : 0;
}

}  // extern "C"
