// The browser backend of the frame: one window of HTML controls on the page, its events and its
// control members. What it implements, and what it leaves out:
//   [x] client area of exactly the described twips at 96 CSS pixels an inch; the browser's zoom
//       and the device's pixel ratio do the rest; on a screen narrower than the window, the
//       window is scaled down to fit, never below 9 CSS px text: the page pans instead (page/window.js)
//   [x] the page's own font (a subset of Liberation Sans under a name of its own) at 8 pt, or the
//       largest size at which every caption fits its control by the core's rule
//       (window_rules.h; page/window.js measures the text); one font for every control
//   [x] <div> labels (a click on a label is not a click on the window), <input> text boxes,
//       <button> command buttons and radio buttons with their captions
//   [x] tab order by tab index; first focus, the focus leaving a control that is hidden or
//       disabled, Tab/Shift+Tab and the arrows in the option group by the core's rules
//       (window_rules.h); Enter on a command button presses it (the browser's own); the core's
//       action keys act once however long they are held, repeats told by the browser (page/keys.js)
//   [x] one option group of every option button, none selected at start, Tab does not select
//   [x] Click of buttons, option buttons and the window (mouse, pen and touch alike); KeyPress
//       with the code by reference (Enter 13, Backspace 8, Esc 27, Ctrl+letter codes, 0 swallows,
//       a changed code types that character); Load
//   [x] Text/Value/Visible/Enabled/BackColor/SetFocus (control_members.cpp), failing where the
//       page cannot do them
//   [x] the window colour painted by the client area, kept in forced colours and in print;
//       labels and option buttons keep the page's
//   [x] text boxes of up to MaxTextBoxLength characters, refusing longer typing, pastes and
//       drops whole with a notice (page/editing.js); a paste is decided by the page before any of it
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

#include "layout.h"
#include "page.h"

namespace forms::detail {

namespace {

double pixelsOfHalfPoints(int halfPoints) { return halfPoints / 2.0 * PageDotsPerInch / 72.0; }

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
    double textWidth(std::string_view caption) override { return page::textWidth(caption, pixels_); }
    double lineHeight() override { return page::lineHeight(pixels_); }
    // The browser's radio button, 13 px wide, 1 px from the option's edge (page.css).
    double optionMarkWidth() override { return 14; }

private:
    double pixels_ = 0;
};

}  // namespace

PageState& pageState() {
    static PageState state;
    return state;
}

FormWindow::FormWindow(const Project& project) : WindowHost(project) {
    const WindowDescription& window = description();
    page::openWindow(window.caption, pixelsFromTwips(window.clientWidth, PageDotsPerInch),
                     pixelsFromTwips(window.clientHeight, PageDotsPerInch), TextTooLongNotice);
    buildControls();
    fitFont();
    pageState().window = this;
}

FormWindow::~FormWindow() {
    if (pageState().window == this) pageState().window = nullptr;
}

void FormWindow::buildControls() {
    const auto& controls = description().controls;
    for (std::size_t index = 0; index < controls.size(); ++index) {
        const ControlDescription& control = controls[index];
        const auto pixels = [](int twips) { return pixelsFromTwips(twips, PageDotsPerInch); };
        page::addControl({static_cast<int>(index), control.kind, control.name, control.caption, pixels(control.left),
                          pixels(control.top), pixels(control.width), pixels(control.height), control.captionCentred,
                          control.hiddenAtStart, hasKeyPress(project(), control.name)});
    }
    for (const int control : stackingOrder(description())) page::stack(control);
    for (std::size_t control = 0; control < controls.size(); ++control) {
        const int label = labelOf(description(), static_cast<int>(control));
        if (label >= 0) page::nameBy(static_cast<int>(control), label);
    }
}

void FormWindow::fitFont() {
    // The page's font is loaded before the program starts (page/loader.js).
    PageCaptionMeasurer measurer;
    const int size =
        fittedFontSize(description(), PageDotsPerInch, WindowFontHalfPoints, measurer);
    page::useFontSize(pixelsOfHalfPoints(size));
}

void FormWindow::showAtStart() {
    page::show();
    shown_ = true;
    giveFirstFocus(description(), *this);
}

bool FormWindow::controlShown(int control) const { return page::isShown(control); }

bool FormWindow::controlEnabled(int control) const { return page::isEnabled(control); }

void FormWindow::giveFocus(int control, bool asByTab) { page::focus(control, asByTab); }

bool FormWindow::optionSelected(int control) const {
    return descriptionOf(control).kind == ControlKind::OptionButton && page::isSelected(control);
}

int FormWindow::focusedControl() const { return page::focused(); }

}  // namespace forms::detail
