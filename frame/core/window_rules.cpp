#include "window_rules.h"

#include <algorithm>
#include <cmath>

#include "layout.h"

namespace forms::detail {

namespace {

// Rounded as the system rounds its own scaled lengths.
int scaled(int pixelsAt96, double dotsPerInch) {
    return static_cast<int>(std::lround(pixelsAt96 * dotsPerInch / 96.0));
}

}  // namespace

bool everyCaptionFits(const WindowDescription& window, double dotsPerInch, CaptionMeasurer& measurer) {
    for (const ControlDescription& control : window.controls) {
        if (control.caption.empty() || !traitsOf(control.kind).showsCaption) continue;
        const CaptionMargins& margins = traitsOf(control.kind).captionMargins;
        double width = pixelsFromTwips(control.width, dotsPerInch) - scaled(margins.horizontal, dotsPerInch);
        if (margins.besideMark) width -= measurer.optionMarkWidth();
        const double height = pixelsFromTwips(control.height, dotsPerInch) - scaled(margins.vertical, dotsPerInch);
        if (measurer.textWidth(control.caption) > width || measurer.lineHeight() > height) return false;
    }
    return true;
}

int fittedFontSize(const WindowDescription& window, double dotsPerInch, FontSizes sizes, CaptionMeasurer& measurer) {
    for (int size = sizes.largest; size > sizes.smallest; --size) {
        measurer.useSize(size);
        if (everyCaptionFits(window, dotsPerInch, measurer)) return size;
    }
    return std::min(sizes.largest, sizes.smallest);
}

bool isAvailable(const WindowDescription& window, int control, const WindowFocus& focus) {
    return takesFocus(window.controls[control].kind) && focus.controlShown(control) && focus.controlEnabled(control);
}

ControlStates controlStates(const WindowDescription& window, const WindowFocus& focus) {
    return {[&window, &focus](int control) { return isAvailable(window, control, focus); },
            [&focus](int control) { return focus.optionSelected(control); }};
}

void giveFirstFocus(const WindowDescription& window, WindowFocus& focus) {
    const int first = firstInTabOrder(window, [&](int control) { return isAvailable(window, control, focus); });
    if (first >= 0) focus.giveFocus(first, false);
}

bool moveFocusAwayFrom(const WindowDescription& window, int control, WindowFocus& focus) {
    if (focus.focusedControl() != control) return true;
    const int next = nextTabStop(window, control, true, controlStates(window, focus));
    if (next < 0 || next == control) return false;
    focus.giveFocus(next, true);
    return true;
}

}  // namespace forms::detail
