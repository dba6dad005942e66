#include "form.h"

#include <string>

#include "control_kinds.h"
#include "failure_injection.h"
#include "layout.h"
#include "utf16.h"
#include "window_host.h"

namespace forms {

namespace detail {

namespace {

FailureInjector& failureInjector() {
    static FailureInjector injector;
    return injector;
}

}  // namespace

void setFailureInjector(FailureInjector injector) { failureInjector() = std::move(injector); }

}  // namespace detail

namespace {

std::string_view interfaceOf(ControlKind kind) { return detail::traitsOf(kind).interface; }

// Checks the status of one call on `object` and clears the floating-point status after it.
void finishCall(Status status, std::string_view object, std::string_view interface, std::string_view operation) {
    clearFloatStatus();
    if (status < 0) raiseCallError(status, object, interface, operation);
}

template <class Call>
void performOn(detail::WindowHost& host, std::string_view object, std::string_view interface,
               std::string_view operation, Call&& call) {
    const detail::FailureInjector& injector = detail::failureInjector();
    Status status = injector ? injector(object, operation) : Success;
    if (status == Success) status = call(host);
    finishCall(status, object, interface, operation);
}

}  // namespace

std::string_view Control::name() const { return form_->host().descriptionOf(index_).name; }

template <class Call>
void Control::perform(std::string_view operation, Call&& call) const {
    const ControlDescription& control = form_->host().descriptionOf(index_);
    performOn(form_->host(), control.name, interfaceOf(control.kind), operation,
              [&](detail::WindowHost& host) { return call(host, index_); });
}

bool Control::visible() const {
    bool result = false;
    perform("Visible", [&](detail::WindowHost& host, int index) { return host.getVisible(index, result); });
    return result;
}

void Control::setVisible(bool visible) {
    perform("Visible", [&](detail::WindowHost& host, int index) { return host.setVisible(index, visible); });
}

bool Control::enabled() const {
    bool result = false;
    perform("Enabled", [&](detail::WindowHost& host, int index) { return host.getEnabled(index, result); });
    return result;
}

void Control::setEnabled(bool enabled) {
    perform("Enabled", [&](detail::WindowHost& host, int index) { return host.setEnabled(index, enabled); });
}

void Control::setFocus() {
    perform("SetFocus", [&](detail::WindowHost& host, int index) { return host.setFocus(index); });
}

std::string TextBox::text() const {
    std::string result;
    perform("Text", [&](detail::WindowHost& host, int index) { return host.getText(index, result); });
    return result;
}

void TextBox::setText(std::string_view text) {
    perform("Text", [&](detail::WindowHost& host, int index) {
        // Never cut: a text beyond what the box holds is a failed call, and the box keeps its text.
        if (detail::utf16Length(text) > MaxTextBoxLength) return detail::CannotDo;
        return host.setText(index, text);
    });
}

TruthValue OptionButton::value() const {
    TruthValue result = False;
    perform("Value", [&](detail::WindowHost& host, int index) { return host.getValue(index, result); });
    return result;
}

void OptionButton::setValue(TruthValue value) {
    perform("Value", [&](detail::WindowHost& host, int index) { return host.setValue(index, value); });
}

Color Form::backColor() const {
    Color result = 0;
    performOn(host_, host_.project().windowName, "Form", "BackColor",
              [&](detail::WindowHost& host) { return host.getBackColor(result); });
    return result;
}

void Form::setBackColor(Color color) {
    performOn(host_, host_.project().windowName, "Form", "BackColor",
              [&](detail::WindowHost& host) { return host.setBackColor(color); });
}

int Form::find(std::string_view name, ControlKind kind) const {
    const int index = detail::controlIndex(host_.description(), name);
    if (index < 0 || host_.descriptionOf(index).kind != kind) raise(ErrorCode::ControlNotFound, std::string(name));
    return index;
}

}  // namespace forms
