// Keyboard navigation rules over a window description, for every backend whose toolkit does not
// apply them by itself: which controls take the focus and in what order, which has it first,
// where Tab and the arrow keys move it, and the stacking order of the controls. No toolkit
// include; what the window shows now (shown, enabled, selected) is asked through ControlStates.
#pragma once

#include <functional>
#include <vector>

#include "control_kinds.h"
#include "project.h"

namespace forms::detail {

constexpr bool takesFocus(ControlKind kind) { return traitsOf(kind).takesFocus; }

// The controls that take the focus, by tab index; equal indexes keep the description's order.
std::vector<int> tabOrder(const WindowDescription& window);

// The first control in tab order for which `available` (shown and enabled) holds, or -1.
int firstInTabOrder(const WindowDescription& window, const std::function<bool(int control)>& available);

// What the window shows of a control right now.
struct ControlStates {
    std::function<bool(int control)> available;  // takes the focus, shown and enabled
    std::function<bool(int control)> selected;   // an option button that is selected
};

// Where Tab (forward) or Shift+Tab moves the focus from `from` (a control, or -1 when no
// control has it): the next available control in tab order, round the end. The option group is
// one stop, as in the system's dialogs: at its selected button, or with none selected at its
// first in tab order. -1 when no control can take the focus.
int nextTabStop(const WindowDescription& window, int from, bool forward, const ControlStates& states);

// Where an arrow key moves within the option group from the option button `from`: the next (or
// previous) available option button in tab order, round the end; -1 when there is no other.
int nextInOptionGroup(const WindowDescription& window, int from, bool forward, const ControlStates& states);

// The stacking order, first on top: the controls in tab order, each text box's label right before
// its box (where a screen reader looks for an edit box's name), the other labels last.
std::vector<int> stackingOrder(const WindowDescription& window);

}  // namespace forms::detail
