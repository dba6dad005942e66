// Start-up in a page, the window the core creates on demand, and where the error line goes.
#include <emscripten.h>

#include <memory>

#include "backend.h"
#include "form_window.h"
#include "page.h"
#include "runtime.h"
#include "window_loading.h"

namespace forms {

namespace detail {

std::unique_ptr<WindowHost> backend::createWindow(const Project& project) { return std::make_unique<FormWindow>(project); }

void backend::writeErrorLine(std::string_view line) { page::writeErrorLine(line); }

}  // namespace detail

// A page has no command line (--help and --version have nothing to answer to) and no end: the
// window stays for as long as the page is open, and the browser's event loop delivers its events.
void runProject(const Project& project, int, char**) {
    auto& started = detail::pageState().started;
    started = detail::loadWindow<detail::FormWindow>(project);
    started->showAtStart();
    emscripten_exit_with_live_runtime();
}

}  // namespace forms
