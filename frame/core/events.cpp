#include "events.h"

#include <algorithm>
#include <new>
#include <string>

#include "error_report.h"
#include "float_status.h"
#include "form.h"
#include "instances.h"
#include "window_host.h"

namespace forms::detail {

namespace {

// Runs the handler bound to the event of `control` (a control's or the window's name).
void dispatch(WindowHost& window, std::string_view control, Event event, std::int16_t& keyCode) {
    const auto& bindings = window.project().bindings;
    const auto binding = std::find_if(bindings.begin(), bindings.end(), [&](const Binding& candidate) {
        return candidate.control == control && candidate.event == event;
    });
    if (binding == bindings.end()) return;
    // The floating-point status belongs to the running handler alone.
    clearFloatStatus();
    const std::string where = std::string(control) + "_" + std::string(eventName(event));
    try {
        binding->entry(formOf(window), keyCode);
    } catch (const RuntimeError& error) {
        reportRuntimeError(error, where);
    } catch (const std::bad_alloc&) {
        reportRuntimeError(RuntimeError(ErrorCode::OutOfMemory), where);
    }
}

std::string_view nameOf(const WindowHost& window, int control) {
    return control == TheWindow ? window.project().windowName : window.descriptionOf(control).name;
}

}  // namespace

std::string_view eventName(Event event) {
    switch (event) {
    case Event::Click: return "Click";
    case Event::KeyPress: return "KeyPress";
    case Event::Load: return "Load";
    }
    return "";
}

void deliverClick(WindowHost& window, int control) {
    std::int16_t noKey = 0;
    dispatch(window, nameOf(window, control), Event::Click, noKey);
}

void deliverLoad(WindowHost& window) {
    std::int16_t noKey = 0;
    dispatch(window, window.project().windowName, Event::Load, noKey);
}

KeyOutcome afterKeyPress(std::int16_t typed, std::int16_t keyCode) {
    if (typed == EnterKey || keyCode == 0) return KeyOutcome::Swallow;
    if (keyCode != typed) return KeyOutcome::TypeReplacement;
    return KeyOutcome::TypeAsUsual;
}

KeyOutcome deliverKeyPress(WindowHost& window, int textBox, std::int16_t typed, char16_t& replacement) {
    std::int16_t keyCode = typed;
    dispatch(window, nameOf(window, textBox), Event::KeyPress, keyCode);
    replacement = static_cast<char16_t>(keyCode);
    return afterKeyPress(typed, keyCode);
}

}  // namespace forms::detail
