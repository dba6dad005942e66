#include "navigation.h"

#include <algorithm>

#include "layout.h"

namespace forms::detail {

namespace {

// The entry `steps` places from `position`, round the end of a list of `count`.
int around(int position, int steps, int count) { return ((position + steps) % count + count) % count; }

bool isOption(const WindowDescription& window, int control) {
    return window.controls[control].kind == ControlKind::OptionButton;
}

}  // namespace

std::vector<int> tabOrder(const WindowDescription& window) {
    const auto& controls = window.controls;
    std::vector<int> order;
    for (std::size_t index = 0; index < controls.size(); ++index) {
        if (takesFocus(controls[index].kind)) order.push_back(static_cast<int>(index));
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](int left, int right) { return controls[left].tabIndex < controls[right].tabIndex; });
    return order;
}

int firstInTabOrder(const WindowDescription& window, const std::function<bool(int control)>& available) {
    for (const int control : tabOrder(window)) {
        if (available(control)) return control;
    }
    return -1;
}

int nextTabStop(const WindowDescription& window, int from, bool forward, const ControlStates& states) {
    const std::vector<int> order = tabOrder(window);
    const int count = static_cast<int>(order.size());
    const auto found = std::find(order.begin(), order.end(), from);
    // From no control, the first step lands on the first (or, backwards, the last) in order.
    const int position = found != order.end() ? static_cast<int>(found - order.begin()) : (forward ? count - 1 : 0);
    // The option group is one stop: its selected button, or with none selected its first.
    int groupStop = -1;
    for (const int control : order) {
        if (!isOption(window, control) || !states.available(control)) continue;
        if (groupStop < 0 || states.selected(control)) groupStop = control;
        if (states.selected(control)) break;
    }
    for (int step = 1; step <= count; ++step) {
        const int candidate = order[around(position, forward ? step : -step, count)];
        if (!states.available(candidate)) continue;
        if (isOption(window, candidate) && candidate != groupStop) continue;
        return candidate;
    }
    return -1;
}

int nextInOptionGroup(const WindowDescription& window, int from, bool forward, const ControlStates& states) {
    std::vector<int> options;
    for (const int control : tabOrder(window)) {
        if (isOption(window, control) && (control == from || states.available(control))) options.push_back(control);
    }
    const auto found = std::find(options.begin(), options.end(), from);
    if (found == options.end()) return -1;
    const int next = options[around(static_cast<int>(found - options.begin()), forward ? 1 : -1,
                                    static_cast<int>(options.size()))];
    return next == from ? -1 : next;
}

std::vector<int> stackingOrder(const WindowDescription& window) {
    const auto& controls = window.controls;
    std::vector<int> order;
    std::vector<bool> placed(controls.size(), false);
    const auto place = [&](int control) {
        order.push_back(control);
        placed[control] = true;
    };
    for (const int control : tabOrder(window)) {
        const int label = labelOf(window, control);
        if (label >= 0 && !placed[label]) place(label);
        place(control);
    }
    for (std::size_t index = 0; index < controls.size(); ++index) {
        if (!placed[index]) place(static_cast<int>(index));
    }
    return order;
}

}  // namespace forms::detail
