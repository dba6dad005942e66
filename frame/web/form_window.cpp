// The browser backend of the frame: one window of HTML controls on the page, its events and its
// control members. What it implements, and what it leaves out:
//   [x] client area of exactly the described twips at 96 CSS pixels an inch; the browser's zoom
//       and the device's pixel ratio do the rest; on a screen narrower than the window, the
//       window is scaled down to fit, never below 9 CSS px text: the page pans instead (page.js)
//   [x] the page's own font (a subset of Liberation Sans under a name of its own) at 8 pt, or the
//       largest size at which every caption fits its control by the core's rule
//       (window_rules.h; page.js measures the text); one font for every control
//   [x] <div> labels (a click on a label is not a click on the window), <input> text boxes,
//       <button> command buttons and radio buttons with their captions
//   [x] tab order by tab index; first focus, the focus leaving a control that is hidden or
//       disabled, Tab/Shift+Tab and the arrows in the option group by the core's rules
//       (window_rules.h); Enter on a command button presses it (the browser's own); the core's
//       action keys act once however long they are held, repeats told by the browser (page.js)
//   [x] one option group of every option button, none selected at start, Tab does not select
//   [x] Click of buttons, option buttons and the window (mouse, pen and touch alike); KeyPress
//       with the code by reference (Enter 13, Backspace 8, Esc 27, Ctrl+letter codes, 0 swallows,
//       a changed code types that character); Load
//   [x] Text/Value/Visible/Enabled/BackColor/SetFocus (control_members.cpp), failing where the
//       page cannot do them
//   [x] the window colour painted by the client area, kept in forced colours and in print;
//       labels and option buttons keep the page's
//   [x] text boxes of up to MaxTextBoxLength characters, refusing longer typing, pastes and
//       drops whole with a notice (page.js); a paste is decided by the page before any of it
//       enters the program's memory; a NUL never gets into a box; Ctrl+A selects all
//   [x] a runtime that aborts or traps stops the page visibly, with a message saying so
//   [x] each text box named for screen readers by its label (aria-labelledby); the window is a
//       region named by its caption
//   [x] the window icon in the caption bar and as the page's icon (inlined by the build)
//   [x] (dialogs.cpp) our message box, at least as wide as its caption, Ctrl+C copying caption
//       and text; our input box (Enter OK, Esc Cancel, Ctrl+C copies caption and prompt); both
//       modal dialogs of the page
//   [x] (run_project.cpp) the browser's event loop; the error line to the console
//   [ ] (run_project.cpp) no command line in a page, so no --help or --version; the version
//       record is in the page's <meta> lines instead
//   [ ] the caret's blinking is the browser's
//   [ ] no default button (none is wanted); no mnemonics (no caption has one); no resizing of
//       the controls with the window (they keep their described places)
#include "form_window.h"

#include <emscripten.h>

#include <cmath>
#include <cstdint>

#include "events.h"
#include "held_keys.h"
#include "layout.h"
#include "pasting.h"

namespace forms::detail {

namespace {

EM_JS(void, openWindowOnPage, (const char* caption, int captionSize, int width, int height, const char* notice,
                               int noticeSize), {
    formsPage.notice = UTF8ToString(notice, noticeSize);
    formsPage.openWindow(UTF8ToString(caption, captionSize), width, height);
});

EM_JS(void, addControlToPage, (int index, int kind, const char* name, int nameSize, const char* caption,
                               int captionSize, int left, int top, int width, int height, int centred, int hidden,
                               int hasKeyPress), {
    formsPage.addControl(index, kind, UTF8ToString(name, nameSize), UTF8ToString(caption, captionSize), left, top,
                         width, height, centred, hidden, hasKeyPress);
});

EM_JS(void, stackOnPage, (int control), { formsPage.stack(control); });
EM_JS(void, nameTextBoxOnPage, (int textBox, int label), { formsPage.nameBy(textBox, label); });
EM_JS(double, textWidthOnPage, (const char* text, int size, double pixels), {
    return formsPage.textWidth(UTF8ToString(text, size), pixels);
});
EM_JS(double, lineHeightOnPage, (double pixels), { return formsPage.lineHeight(pixels); });
EM_JS(void, useFontSizeOnPage, (double pixels), { formsPage.useFontSize(pixels); });
EM_JS(void, showWindowOnPage, (), { formsPage.show(); });
EM_JS(void, focusOnPage, (int control, int byTab), { formsPage.focus(control, byTab !== 0); });
EM_JS(int, focusedOnPage, (), { return formsPage.indexOf(document.activeElement); });
EM_JS(int, controlShownOnPage, (int control), { return formsPage.controls[control].hidden ? 0 : 1; });
EM_JS(int, controlEnabledOnPage, (int control), { return formsPage.focusTarget(control).disabled ? 0 : 1; });
EM_JS(int, optionSelectedOnPage, (int control), { return formsPage.focusTarget(control).checked ? 1 : 0; });

// The default size, 8 pt, and the smallest tried, in half points as the Qt backend counts.
constexpr int DefaultHalfPoints = 16;
constexpr int SmallestHalfPoints = 9;

double pixelsOfHalfPoints(int halfPoints) { return halfPoints / 2.0 * PageDotsPerInch / 72.0; }

int length(std::string_view text) { return static_cast<int>(text.size()); }

bool hasKeyPress(const Project& project, std::string_view control) {
    for (const Binding& binding : project.bindings) {
        if (binding.control == control && binding.event == Event::KeyPress) return true;
    }
    return false;
}

// The page's measures of its font, for the core's caption rule.
class PageCaptionMeasurer final : public CaptionMeasurer {
public:
    void useSize(int halfPoints) override { pixels_ = pixelsOfHalfPoints(halfPoints); }
    double textWidth(std::string_view caption) override {
        return textWidthOnPage(caption.data(), length(caption), pixels_);
    }
    double lineHeight() override { return lineHeightOnPage(pixels_); }
    // The browser's radio button, 13 px wide, 1 px from the option's edge (page.css).
    double optionMarkWidth() override { return 14; }

private:
    double pixels_ = 0;
};

// The window on the page, which the page's events go to: a page shows one window, the one
// built last.
FormWindow* windowOnPage = nullptr;

FormWindow* pageWindow() { return windowOnPage; }

}  // namespace

FormWindow::FormWindow(const Project& project) : WindowHost(project) {
    const WindowDescription& window = description();
    openWindowOnPage(window.caption.data(), length(window.caption),
                     pixelsFromTwips(window.clientWidth, PageDotsPerInch),
                     pixelsFromTwips(window.clientHeight, PageDotsPerInch), TextTooLongNotice.data(),
                     length(TextTooLongNotice));
    buildControls();
    fitFont();
    windowOnPage = this;
}

FormWindow::~FormWindow() {
    if (windowOnPage == this) windowOnPage = nullptr;
}

void FormWindow::buildControls() {
    const auto& controls = description().controls;
    for (std::size_t index = 0; index < controls.size(); ++index) {
        const ControlDescription& control = controls[index];
        const auto pixels = [](int twips) { return pixelsFromTwips(twips, PageDotsPerInch); };
        addControlToPage(static_cast<int>(index), static_cast<int>(control.kind), control.name.data(),
                         length(control.name), control.caption.data(), length(control.caption), pixels(control.left),
                         pixels(control.top), pixels(control.width), pixels(control.height),
                         control.captionCentred ? 1 : 0, control.hiddenAtStart ? 1 : 0,
                         hasKeyPress(project(), control.name) ? 1 : 0);
    }
    for (const int control : stackingOrder(description())) stackOnPage(control);
    for (std::size_t box = 0; box < controls.size(); ++box) {
        if (controls[box].kind != ControlKind::TextBox) continue;
        const int label = labelOf(description(), static_cast<int>(box));
        if (label >= 0) nameTextBoxOnPage(static_cast<int>(box), label);
    }
}

void FormWindow::fitFont() {
    // The page's font is loaded before the program starts (page.js).
    PageCaptionMeasurer measurer;
    const int size =
        fittedFontSize(description(), PageDotsPerInch, {DefaultHalfPoints, SmallestHalfPoints}, measurer);
    useFontSizeOnPage(pixelsOfHalfPoints(size));
}

void FormWindow::showAtStart() {
    showWindowOnPage();
    shown_ = true;
    giveFirstFocus(description(), *this);
}

bool FormWindow::controlShown(int control) const { return controlShownOnPage(control) != 0; }

bool FormWindow::controlEnabled(int control) const { return controlEnabledOnPage(control) != 0; }

void FormWindow::giveFocus(int control, bool asByTab) { focusOnPage(control, asByTab ? 1 : 0); }

bool FormWindow::optionSelected(int control) const {
    return descriptionOf(control).kind == ControlKind::OptionButton && optionSelectedOnPage(control);
}

int FormWindow::focusedControl() const { return focusedOnPage(); }

}  // namespace forms::detail

// What page.js calls: the events, and the core's rules it asks about. A click and a key press
// may wait for a dialog (ccall with async), the rest return at once.
using forms::detail::pageWindow;

extern "C" {

EMSCRIPTEN_KEEPALIVE void forms_web_click(int control) {
    if (auto* window = pageWindow()) forms::detail::deliverClick(*window, control);
}

// The outcome (KeyOutcome) in the high 16 bits, the replacement character in the low ones.
EMSCRIPTEN_KEEPALIVE int forms_web_key_press(int textBox, int typed) {
    auto* window = pageWindow();
    if (!window) return 0;
    char16_t replacement = 0;
    const forms::detail::KeyOutcome outcome =
        forms::detail::deliverKeyPress(*window, textBox, static_cast<std::int16_t>(typed), replacement);
    return static_cast<int>(outcome) << 16 | static_cast<int>(replacement);
}

EMSCRIPTEN_KEEPALIVE int forms_web_next_tab_stop(int from, int forward) {
    auto* window = pageWindow();
    return window ? forms::detail::nextTabStop(window->description(), from, forward != 0, window->states()) : -1;
}

EMSCRIPTEN_KEEPALIVE int forms_web_next_in_option_group(int from, int forward) {
    auto* window = pageWindow();
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

EMSCRIPTEN_KEEPALIVE int forms_web_fits_text_box(int length, int selected, int inserted) {
    return forms::detail::fitsTextBox(static_cast<std::size_t>(length), static_cast<std::size_t>(selected),
                                      static_cast<std::size_t>(inserted))
               ? 1
               : 0;
}

}  // extern "C"
