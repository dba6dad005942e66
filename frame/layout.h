// Layout rules every backend follows: pixels from twips, which controls take the focus and in
// what order, which control has it first, and which label names a text box. No toolkit include.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "project.h"

namespace forms::detail {

// Pixels for a length in twips at a logical resolution (15 twips a pixel at 96 DPI).
int pixelsFromTwips(int twips, double dotsPerInch);

// Labels take no focus; every other kind of control does.
constexpr bool takesFocus(ControlKind kind) { return kind != ControlKind::Label; }

// The controls that take the focus, by tab index; equal indexes keep the description's order.
std::vector<int> tabOrder(const WindowDescription& window);

// The first control in tab order for which `available` (shown and enabled) holds, or -1.
int firstInTabOrder(const WindowDescription& window, const std::function<bool(int control)>& available);

// The largest font size from `largest` down to `smallest`, in a backend's own steps, at which
// every caption of the window fits (`fits`); `smallest` when none larger does.
int largestFittingSize(int largest, int smallest, const std::function<bool(int size)>& fits);

// The label that names a text box: the nearest label above it whose columns overlap the box's,
// or -1. Screen readers announce the box by that label's caption.
int labelOf(const WindowDescription& window, int textBox);

}  // namespace forms::detail
