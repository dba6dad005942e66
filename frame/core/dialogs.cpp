#include "dialogs.h"

#include "float_status.h"
#include "instances.h"
#include "runtime.h"
#include "window_host.h"

namespace forms {

namespace detail {

namespace {

DialogInterceptor& interceptor() {
    static DialogInterceptor current;
    return current;
}

std::optional<DialogAnswer> intercepted(DialogKind kind, std::string_view caption, std::string_view prompt) {
    if (!interceptor()) return std::nullopt;
    return interceptor()({kind, std::string(caption), std::string(prompt)});
}

}  // namespace

void setDialogInterceptor(DialogInterceptor newInterceptor) { interceptor() = std::move(newInterceptor); }

void showMessage(DialogKind kind, std::string_view caption, std::string_view prompt) {
    // Nothing the toolkit does while the box is open may touch the handler's float status.
    const FloatStatusKeeper keepFloatStatus;
    if (intercepted(kind, caption, prompt)) return;
    if (WindowHost* owner = defaultWindow()) owner->showMessageBox(kind, caption, prompt);
}

std::string askInput(std::string_view caption, std::string_view prompt) {
    const FloatStatusKeeper keepFloatStatus;
    if (const std::optional<DialogAnswer> answer = intercepted(DialogKind::Input, caption, prompt)) {
        return answer->accepted ? answer->text : std::string();
    }
    WindowHost* owner = defaultWindow();
    if (!owner) return {};
    return owner->showInputBox(caption, prompt).value_or(std::string());
}

}  // namespace detail

int messageBox(std::string_view prompt, int buttons, std::optional<std::string_view> title) {
    if (buttons != 0) raise(ErrorCode::InvalidProcedureCall, "messageBox");
    detail::showMessage(DialogKind::Message, title.value_or(detail::programTitle()), prompt);
    return 1;
}

std::string inputBox(std::string_view prompt) { return detail::askInput(detail::programTitle(), prompt); }

}  // namespace forms
