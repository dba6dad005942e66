#include "runtime_core.h"

#include "backend.h"
#include "dispatch.h"
#include "float_status.h"
#include "runtime.h"

namespace forms {

namespace detail {

RuntimeState& runtimeState() {
    static RuntimeState state;
    return state;
}

std::string_view programTitle() {
    const Project* project = runtimeState().project;
    return project ? project->title : std::string_view();
}

void loadAsDefault(const Project& project, WindowHost& window, Form& form) {
    RuntimeState& state = runtimeState();
    state.project = &project;
    state.defaultWindow = &window;
    state.defaultForm = &form;
    std::int16_t noKey = 0;
    dispatch(project, form, project.windowName, Event::Load, noKey);
}

void forgetWindow(const WindowHost& window) {
    RuntimeState& state = runtimeState();
    if (state.defaultWindow != &window) return;
    state.defaultWindow = nullptr;
    state.defaultForm = nullptr;
}

std::string errorLine(std::string_view title, const RuntimeError& error, std::string_view where) {
    std::string line(title);
    line.append(": ").append(error.message()).append(" (").append(where);
    if (!error.where().empty()) line.append(": ").append(error.where());
    line.append(")\n");
    return line;
}

void reportRuntimeError(const RuntimeError& error, std::string_view where) {
    backend::writeErrorLine(errorLine(programTitle(), error, where));
    showMessage(testing::DialogKind::Error, programTitle(), error.message());
}

void showMessage(testing::DialogKind kind, std::string_view caption, std::string_view prompt) {
    const FloatStatusKeeper keepFloatStatus;
    if (testing::hasDialogResponder()) {
        testing::respond({kind, std::string(caption), std::string(prompt)});
        return;
    }
    backend::showMessageBox(kind, caption, prompt);
}

std::string askInput(std::string_view caption, std::string_view prompt) {
    const FloatStatusKeeper keepFloatStatus;
    if (testing::hasDialogResponder()) {
        testing::DialogAnswer answer =
            testing::respond({testing::DialogKind::Input, std::string(caption), std::string(prompt)});
        return answer.accepted ? answer.text : std::string();
    }
    return backend::showInputBox(caption, prompt).value_or(std::string());
}

}  // namespace detail

int messageBox(std::string_view prompt, int buttons, std::optional<std::string_view> title) {
    if (buttons != 0) raise(ErrorCode::InvalidProcedureCall, "messageBox");
    detail::showMessage(testing::DialogKind::Message, title.value_or(detail::programTitle()), prompt);
    return 1;
}

std::string inputBox(std::string_view prompt) { return detail::askInput(detail::programTitle(), prompt); }

Form& ensureDefaultInstance() {
    detail::RuntimeState& state = detail::runtimeState();
    if (!state.defaultForm) {
        if (!state.project) raise(ErrorCode::InvalidProcedureCall, "ensureDefaultInstance");
        detail::backend::createWindowOnDemand(*state.project);
    }
    return *state.defaultForm;
}

}  // namespace forms
