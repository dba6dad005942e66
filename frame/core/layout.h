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

// The label that names a text box: the nearest label above it whose columns overlap the box's,
// or -1. Screen readers announce the box by that label's caption.
int labelOf(const WindowDescription& window, int textBox);

}  // namespace forms::detail
