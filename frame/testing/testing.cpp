#include "testing.h"

#include <algorithm>
#include <utility>

#include "dialogs.h"
#include "failure_injection.h"

namespace forms::testing {

namespace {

DialogResponder& currentResponder() {
    static DialogResponder responder;
    return responder;
}

struct InjectedFailure {
    std::string object;
    std::string operation;
    Status status;
};

std::vector<InjectedFailure>& injectedFailures() {
    static std::vector<InjectedFailure> failures;
    return failures;
}

}  // namespace

void setDialogResponder(DialogResponder responder) {
    currentResponder() = std::move(responder);
    if (!currentResponder()) {
        detail::setDialogInterceptor({});
        return;
    }
    detail::setDialogInterceptor([](const DialogRequest& request) { return std::optional(respond(request)); });
}
bool hasDialogResponder() { return static_cast<bool>(currentResponder()); }
DialogAnswer respond(const DialogRequest& request) { return currentResponder()(request); }

ScriptedDialogs::ScriptedDialogs() {
    setDialogResponder([this](const DialogRequest& request) {
        seen_.push_back(request);
        if (request.kind != DialogKind::Input || answers_.empty()) return DialogAnswer{};
        DialogAnswer next = std::move(answers_.front());
        answers_.pop_front();
        return next;
    });
}

ScriptedDialogs::~ScriptedDialogs() { setDialogResponder({}); }

ScriptedDialogs& ScriptedDialogs::answer(std::string text) {
    answers_.push_back({std::move(text), true});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::cancel() {
    answers_.push_back({"", false});
    return *this;
}

std::vector<DialogRequest> ScriptedDialogs::ofKind(DialogKind kind) const {
    std::vector<DialogRequest> result;
    std::copy_if(seen_.begin(), seen_.end(), std::back_inserter(result),
                 [kind](const DialogRequest& request) { return request.kind == kind; });
    return result;
}

void failControlCall(std::string object, std::string operation, Status status) {
    injectedFailures().push_back({std::move(object), std::move(operation), status});
    detail::setFailureInjector([](std::string_view failingObject, std::string_view failingOperation) {
        for (const auto& failure : injectedFailures()) {
            if (failure.object == failingObject && failure.operation == failingOperation) return failure.status;
        }
        return Success;
    });
}

void clearControlCallFailures() {
    injectedFailures().clear();
    detail::setFailureInjector({});
}

}  // namespace forms::testing
