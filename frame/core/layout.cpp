#include "layout.h"

#include <cmath>

#include "control_kinds.h"

namespace forms::detail {

int pixelsFromTwips(int twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / 1440.0));
}

int controlIndex(const WindowDescription& window, std::string_view name) {
    const auto& controls = window.controls;
    for (std::size_t index = 0; index < controls.size(); ++index) {
        if (controls[index].name == name) return static_cast<int>(index);
    }
    return -1;
}

int labelOf(const WindowDescription& window, int control) {
    const auto& controls = window.controls;
    const ControlDescription& box = controls[control];
    if (!traitsOf(box.kind).namedByLabel) return -1;
    int nearest = -1;
    for (std::size_t index = 0; index < controls.size(); ++index) {
        const ControlDescription& label = controls[index];
        const bool above = label.kind == ControlKind::Label && label.top < box.top;
        const bool overlaps = label.left < box.left + box.width && box.left < label.left + label.width;
        if (above && overlaps && (nearest < 0 || label.top > controls[nearest].top)) nearest = static_cast<int>(index);
    }
    return nearest;
}

}  // namespace forms::detail
