// Layout rules every backend follows: pixels from twips, finding a control by name, the font size
// at which captions fit, and which label names a text box. No toolkit include.
#pragma once

#include <functional>
#include <string_view>

#include "project.h"

namespace forms::detail {

// Pixels for a length in twips at a logical resolution (15 twips a pixel at 96 DPI).
int pixelsFromTwips(int twips, double dotsPerInch);

// The index of the control named `name` in the description, or -1.
int controlIndex(const WindowDescription& window, std::string_view name);

// The largest font size from `largest` down to `smallest`, in a backend's own steps, at which
// every caption of the window fits (`fits`); `smallest` when none larger does.
int largestFittingSize(int largest, int smallest, const std::function<bool(int size)>& fits);

// The label that names a text box: the nearest label above it whose columns overlap the box's,
// or -1. Screen readers announce the box by that label's caption.
int labelOf(const WindowDescription& window, int textBox);

}  // namespace forms::detail
