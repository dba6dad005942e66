#include "dispatch.h"

#include <algorithm>
#include <new>
#include <string>

#include "float_status.h"
#include "runtime_core.h"

namespace forms::detail {

std::string_view eventName(Event event) {
    switch (event) {
    case Event::Click: return "Click";
    case Event::KeyPress: return "KeyPress";
    case Event::Load: return "Load";
    }
    return "";
}

void dispatch(const Project& project, Form& form, std::string_view control, Event event, std::int16_t& keyCode) {
    const auto& bindings = project.bindings;
    const auto binding = std::find_if(bindings.begin(), bindings.end(), [&](const Binding& candidate) {
        return candidate.control == control && candidate.event == event;
    });
    if (binding == bindings.end()) return;
    // The floating-point status belongs to the running handler alone.
    clearFloatStatus();
    const std::string where = std::string(control) + "_" + std::string(eventName(event));
    try {
        binding->entry(form, keyCode);
    } catch (const RuntimeError& error) {
        reportRuntimeError(error, where);
    } catch (const std::bad_alloc&) {
        reportRuntimeError(RuntimeError(ErrorCode::OutOfMemory), where);
    }
}

KeyOutcome afterKeyPress(std::int16_t typed, std::int16_t keyCode) {
    if (typed == EnterKeyCode || keyCode == 0) return KeyOutcome::Swallow;
    if (keyCode != typed) return KeyOutcome::TypeReplacement;
    return KeyOutcome::TypeAsUsual;
}

}  // namespace forms::detail
