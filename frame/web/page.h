// The page as the browser backend's C++ sees it: every call into the page is one function here,
// and each is one method of formsPage in the page's script, frame/web/page/*.js (page.cpp holds
// the one-line calls). The other direction, what the page calls in the program, is the
// forms_web_* functions of page.cpp, each called through formsProgram (page/exports.js). The
// enums that cross (ControlKind, DialogKind, KeyOutcome), KeyOutcomeShift, the key codes and
// the text boxes' limit reach the page as the build generates them from their C++ definitions
// (tools/web/page_constants.py).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "dialog_texts.h"
#include "project.h"
#include "value.h"

namespace forms::detail::page {

// A KeyPress's answer to the page: the KeyOutcome above this many bits, the replacement
// character below.
inline constexpr int KeyOutcomeShift = 16;

// The window's frame: its caption bar and a client area of `width` × `height` CSS pixels, not
// yet on the page. `tooLongNotice` is what a refused edit says at its box.
void openWindow(std::string_view caption, int width, int height, std::string_view tooLongNotice);

struct PlacedControl {
    int index;
    ControlKind kind;
    std::string_view name;
    std::string_view caption;
    int left, top, width, height;  // CSS pixels in the client area
    bool captionCentred;
    bool hiddenAtStart;
    bool hasKeyPress;
};
void addControl(const PlacedControl& control);
// Appends a control to the client area: the core's stacking order is the order of these calls.
void stack(int control);
// A text box named for screen readers by its label.
void nameBy(int textBox, int label);
// The width of `text` on one line, and the height of a line, in the page's font at `pixels`
// CSS pixels.
double textWidth(std::string_view text, double pixels);
double lineHeight(double pixels);
void useFontSize(double pixels);
// Puts the window on the page.
void show();

void focus(int control, bool byTab);
// The control that has the keyboard focus, or -1.
int focused();
bool isShown(int control);
bool isEnabled(int control);
bool isSelected(int control);

std::string text(int control);
void setText(int control, std::string_view text);
void select(int control, bool selected);
void setShown(int control, bool shown);
void setEnabled(int control, bool enabled);
// The colour the client area is drawn in.
Color backColor();
void setBackColor(Color color);

// A modal dialog over the window; waits (asyncify) until it is answered. Gives the typed text,
// or nothing when cancelled. `copied` is what Ctrl+C copies.
std::optional<std::string> ask(DialogKind kind, std::string_view caption, std::string_view prompt,
                               std::string_view copied, std::string_view okCaption, std::string_view cancelCaption);

void writeErrorLine(std::string_view line);

}  // namespace forms::detail::page
