#include "window_loading.h"

#include "backend.h"
#include "events.h"
#include "form.h"
#include "instances.h"
#include "runtime.h"
#include "window_host.h"

namespace forms {

namespace detail {

void load(WindowHost& window) {
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
