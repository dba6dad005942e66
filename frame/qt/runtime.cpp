// Start-up, the dialogs the programs call, the default window instance and the default
// handling of run-time errors.
#include <QApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "cursor_blink.h"
#include "dialogs.h"
#include "qt_testing.h"
#include "runtime.h"
#include "runtime_state.h"

namespace forms {

namespace {

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

namespace detail {

RuntimeState& runtimeState() {
    static RuntimeState state;
    return state;
}

std::unique_ptr<FormWindow> loadWindow(const Project& project) {
    RuntimeState& state = runtimeState();
    state.project = &project;
    auto window = std::make_unique<FormWindow>(project);
    state.defaultWindow = window.get();
    window->load();
    return window;
}

namespace {

std::string_view programTitle() {
    const Project* project = runtimeState().project;
    return project ? project->title : std::string_view();
}

QWidget* dialogParent() { return runtimeState().defaultWindow; }

}  // namespace

void reportRuntimeError(const RuntimeError& error, std::string_view where) {
    const std::string message = error.message();
    const std::string detail = error.where().empty() ? std::string(where) : std::string(where) + ": " + error.where();
    // A failed write (no reader, a full disk) is ignored: the box below still tells the user.
    std::fprintf(stderr, "%.*s: %s (%s)\n", static_cast<int>(programTitle().size()), programTitle().data(),
                 message.c_str(), detail.c_str());
    std::fflush(stderr);
    std::clearerr(stderr);
    showMessage(dialogParent(), testing::DialogKind::Error, programTitle(), message);
}

}  // namespace detail

void runProject(const Project& project, int argc, char** argv) {
    // Writing to a stderr whose reader has gone (a launcher, a closed pipe) must never end the
    // program and lose what the user typed: the failed write is simply ignored.
    std::signal(SIGPIPE, SIG_IGN);
    QApplication application(argc, argv);
    QApplication::setApplicationName(toQString(project.title));
    if (const VersionRecord* version = project.version) {
        QApplication::setApplicationName(toQString(version->productName));
        QApplication::setApplicationVersion(toQString(version->fileVersion));
        QApplication::setOrganizationName(toQString(version->companyName));
    }
    QApplication::setWindowIcon(detail::programIcon());
    const detail::CursorBlinkLimiter blinkLimiter;
    std::unique_ptr<detail::FormWindow> window = detail::loadWindow(project);
    window->showAtStart();
    const int exitCode = QApplication::exec();
    window.reset();
    std::exit(exitCode);
}

int messageBox(std::string_view prompt, int buttons, std::optional<std::string_view> title) {
    if (buttons != 0) raise(ErrorCode::InvalidProcedureCall, "messageBox");
    detail::showMessage(detail::dialogParent(), testing::DialogKind::Message, title.value_or(detail::programTitle()),
                        prompt);
    return 1;
}

std::string inputBox(std::string_view prompt) {
    return detail::askInput(detail::dialogParent(), detail::programTitle(), prompt);
}

Form& ensureDefaultInstance() {
    detail::RuntimeState& state = detail::runtimeState();
    if (!state.defaultWindow) {
        if (!state.project) raise(ErrorCode::InvalidProcedureCall, "ensureDefaultInstance");
        state.createdOnDemand = detail::loadWindow(*state.project);
    }
    return state.defaultWindow->form();
}

namespace testing {

OpenWindow::OpenWindow(const Project& project) : window_(detail::loadWindow(project)) { window_->showAtStart(); }

OpenWindow::~OpenWindow() {
    window_.reset();
    detail::runtimeState().createdOnDemand.reset();
}

Form& OpenWindow::form() { return window_->form(); }

QWidget* OpenWindow::window() const { return window_.get(); }

QWidget* OpenWindow::control(std::string_view name) const { return window_->control(name); }

}  // namespace testing

}  // namespace forms
