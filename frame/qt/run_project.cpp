// Start-up and the event loop on Qt, the window the core creates on demand, and where the error
// line goes.
#include <QApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "backend.h"
#include "command_line.h"
#include "cursor_blink.h"
#include "form_window.h"
#include "runtime.h"
#include "start_up.h"
#include "window_loading.h"

namespace forms {

namespace detail {

std::unique_ptr<WindowHost> backend::createWindow(const Project& project) {
    return std::make_unique<FormWindow>(project);
}

void backend::writeErrorLine(std::string_view line) {
    // A failed write (no reader, a full disk) is ignored: the error box still tells the user.
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    std::clearerr(stderr);
}

}  // namespace detail

void runProject(const Project& project, int argc, char** argv) {
    // Writing to a stderr whose reader has gone (a launcher, a closed pipe) must never end the
    // program and lose what the user typed: the failed write is simply ignored.
    std::signal(SIGPIPE, SIG_IGN);
    if (const std::optional<int> status = answerCommandLine(project, argc, argv)) std::exit(*status);
    const std::string name(project.version ? project.version->productName : project.title);
    detail::WindowSystemStartUp startUp(name);
    // No argument reaches the toolkit: its own options would change the window (-reverse,
    // -qwindowgeometry) or hide it (-platform). Its environment variables still apply.
    int toolkitArgc = 1;
    std::string programPath = argc > 0 && argv[0] ? argv[0] : name;
    char* toolkitArgv[] = {programPath.data(), nullptr};
    QApplication application(toolkitArgc, toolkitArgv);
    startUp.toolkitStarted();
    QApplication::setApplicationName(detail::toQString(project.title));
    if (const VersionRecord* version = project.version) {
        QApplication::setApplicationName(detail::toQString(version->productName));
        QApplication::setApplicationVersion(detail::toQString(version->fileVersion));
        QApplication::setOrganizationName(detail::toQString(version->companyName));
    }
    // Links the window to the desktop entry NAME.desktop (the app id on Wayland).
    QGuiApplication::setDesktopFileName(detail::toQString(name));
    QApplication::setWindowIcon(detail::programIcon());
    const detail::CursorBlinkLimiter blinkLimiter;
    std::unique_ptr<detail::FormWindow> window = detail::loadWindow<detail::FormWindow>(project);
    window->showAtStart();
    startUp.finish();
    const int exitCode = QApplication::exec();
    window.reset();
    std::exit(exitCode);
}

}  // namespace forms
