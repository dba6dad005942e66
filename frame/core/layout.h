// Layout rules every backend follows: pixels from twips, finding a control by name, and which
// label names a text box. No toolkit include.
#pragma once

#include <string_view>

#include "project.h"

namespace forms::detail {

// Pixels for a length in twips at a logical resolution (15 twips a pixel at 96 DPI).
int pixelsFromTwips(int twips, double dotsPerInch);

// The index of the control named `name` in the description, or -1.
int controlIndex(const WindowDescription& window, std::string_view name);

// The label that names a control of a kind named by its label (a text box): the nearest label
// above it whose columns overlap the control's, or -1; -1 for every other kind. Screen readers
// announce the control by that label's caption.
int labelOf(const WindowDescription& window, int control);

}  // namespace forms::detail
