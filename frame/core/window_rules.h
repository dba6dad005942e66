// The rules every backend's window follows, written once: the font size at which every caption
// fits its control, which keys act once per press and when each acts, and where the keyboard
// focus may be (which controls can take it, which has it first, where it goes when the control
// that has it is hidden or disabled). A backend only measures text and moves the focus through
// its toolkit; the rules call it back. No toolkit include.
#pragma once

#include <array>
#include <string_view>

#include "control_kinds.h"
#include "keys.h"
#include "navigation.h"
#include "project.h"

namespace forms::detail {

// --- Captions --------------------------------------------------------------------------------
//
// A caption fits its control when it fits on one line within the room its control leaves
// besides the text (below), and one line of text fits the control's height less that room.
//
// Labels are measured on one line too, although each toolkit shows them wrapping at word
// breaks. Measured wrapped, the rule would hang on three different line breakers; measured on
// one line, it needs only the width of a text, which every toolkit measures alike. It costs no
// program a point: of the programs' labels, all fit on one line at every platform's
// default size, and the only two tall enough for a second line have room to spare on the first.
// And a caption that fits on one line fits wrapped, so no caption fits less than it did.

// The room each kind leaves besides the text is its row's captionMargins (control_kinds.h).

// What a backend measures with its toolkit, in its pixels at the window's resolution.
class CaptionMeasurer {
public:
    // Measures with the window's font at `size` (in the backend's own steps) from now on.
    virtual void useSize(int size) = 0;
    // The width of `caption` on one line.
    virtual double textWidth(std::string_view caption) = 0;
    // The height of one line.
    virtual double lineHeight() = 0;
    // The width of an option button's mark.
    virtual double optionMarkWidth() = 0;

protected:
    ~CaptionMeasurer() = default;
};

// Whether every caption of `window` fits its control at the size the measurer uses now.
bool everyCaptionFits(const WindowDescription& window, double dotsPerInch, CaptionMeasurer& measurer);

// The sizes a backend tries, in its own steps (half points, pixels), largest first.
struct FontSizes {
    int largest;   // the backend's default font
    int smallest;  // taken when no larger size fits; never measured
};

// The window's font in half points, where the toolkit lets the window choose its size: 8 pt, the
// size every window asks for, and 4.5 pt, the smallest the caption rule takes when a fallback
// font is too wide for it.
inline constexpr FontSizes WindowFontHalfPoints{16, 9};

// The largest size from `sizes.largest` down, one step at a time, at which every caption fits;
// `sizes.smallest` when none larger does.
int fittedFontSize(const WindowDescription& window, double dotsPerInch, FontSizes sizes, CaptionMeasurer& measurer);

// --- Action keys -----------------------------------------------------------------------------
//
// Enter, Esc and Space press buttons and answer dialogs, and act once per press however long
// they are held (held_keys.h judges the repeats; how a repeat is told apart is each platform's).
// They go by the codes a key press carries for them (keys.h).

// Whether `key` acts as an action key with the focus where it is: Enter and Esc wherever it is;
// Space only on a button or an option button (of the window or of a dialog), since in a text box
// a held Space types blanks.
constexpr bool isActionKey(int key, bool focusOnButton) {
    return key == EnterKey || key == EscapeKey || (key == SpaceKey && focusOnButton);
}

// When each acts: Space presses the focused button or selects the focused option button (the
// toolkit's own). Esc closes a message box and cancels an input box. Enter is OK in a dialog;
// in the window it presses the focused command button, as Space does, and nothing else: in a
// text box it is the box's KeyPress (code 13), and no button is a default button.
constexpr bool enterPresses(ControlKind focused) { return focused == ControlKind::CommandButton; }

// --- Focus -----------------------------------------------------------------------------------

// What the focus rules ask of a backend's window, through its toolkit.
class WindowFocus {
public:
    // Shown as far as the window is concerned, whether or not the window itself is.
    virtual bool controlShown(int control) const = 0;
    virtual bool controlEnabled(int control) const = 0;
    // An option button that is selected.
    virtual bool optionSelected(int control) const = 0;
    // The control that has the keyboard focus, or -1.
    virtual int focusedControl() const = 0;
    // Gives `control` the keyboard focus; `asByTab` as Tab gives it (a text box's text is
    // selected, so that typing replaces it).
    virtual void giveFocus(int control, bool asByTab) = 0;

protected:
    ~WindowFocus() = default;
};

// A control can take the focus when its kind takes it and it is shown and enabled.
bool isAvailable(const WindowDescription& window, int control, const WindowFocus& focus);

// What the window shows of its controls now, for the navigation rules.
ControlStates controlStates(const WindowDescription& window, const WindowFocus& focus);

// When the window opens, the first control in tab order that can take the focus gets it.
void giveFirstFocus(const WindowDescription& window, WindowFocus& focus);

// Called before `control` is hidden or disabled. When it has the focus, the focus goes where
// Tab would take it, as Tab takes it, never back to it. False when no other control can take it: the window
// then keeps the focus, so that keys still reach it (each backend in its toolkit's way).
bool moveFocusAwayFrom(const WindowDescription& window, int control, WindowFocus& focus);

}  // namespace forms::detail
