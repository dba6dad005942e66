#include "window_loading.h"

#include <algorithm>
#include <string>

#include "backend.h"
#include "control_kinds.h"
#include "events.h"
#include "form.h"
#include "instances.h"
#include "runtime.h"
#include "window_host.h"

namespace forms {

namespace detail {

void checkBindings(const Project& project) {
    for (const Binding& binding : project.bindings) {
        const std::string where = std::string(project.title) + ": the handler bound to " +
                                  std::string(binding.control) + " " + std::string(eventName(binding.event));
        if (binding.control == project.windowName) {
            if (binding.event == Event::KeyPress) throw BindingError(where + ": the window raises no KeyPress");
            continue;
        }
        const auto& controls = project.window.controls;
        const auto control = std::find_if(controls.begin(), controls.end(),
                                          [&](const ControlDescription& each) { return each.name == binding.control; });
        if (control == controls.end()) throw BindingError(where + ": the window has no control of that name");
        const ControlKindTraits& kind = traitsOf(control->kind);
        const bool raised = (binding.event == Event::Click && kind.raisesClick) ||
                            (binding.event == Event::KeyPress && kind.raisesKeyPress);
        if (!raised) throw BindingError(where + ": a " + std::string(kind.interface) + " never raises it");
    }
}

void load(WindowHost& window) {
#if !defined(__EMSCRIPTEN__)
    // The pages leave the check out: its messages and their exception would add 3 % to every
    // page, and a program's source is the same in every build, so the desktop builds' window
    // tests, which load every program, check its bindings before any page is made.
    checkBindings(window.project());
#endif
    attachForm(window, window.project().createForm(window));
    makeDefault(window);
    deliverLoad(window);
}

}  // namespace detail

Form& ensureDefaultInstance() {
    if (detail::WindowHost* window = detail::defaultWindow()) return detail::formOf(*window);
    const Project* project = detail::currentProject();
    if (!project) raise(ErrorCode::InvalidProcedureCall, "ensureDefaultInstance");
    std::unique_ptr<detail::WindowHost> created = detail::backend::createWindow(*project);
    detail::WindowHost& window = *created;
    detail::keepCreatedWindow(std::move(created));
    detail::load(window);
    return detail::formOf(window);
}

}  // namespace forms
