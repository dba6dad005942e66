// A window instance as a program sees it: its controls through accessors, its members and its
// public functions. Every control call is result-checked: a failure raises a run-time error at
// once, and a successful call clears the floating-point status. No toolkit include.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "float_status.h"
#include "keys.h"
#include "project.h"
#include "runtime_error.h"
#include "value.h"

namespace forms {

class Form;

// A reference to one control, made fresh by each accessor call.
class Control {
public:
    std::string_view name() const;

    bool visible() const;
    void setVisible(bool visible);
    bool enabled() const;
    void setEnabled(bool enabled);
    void setFocus();

protected:
    Control(Form& form, int index) : form_(&form), index_(index) {}

    // Runs one control call: a negative status raises the run-time error, success clears
    // the floating-point status.
    template <class Call>
    void perform(std::string_view operation, Call&& call) const;

    Form* form_;
    int index_;
};

class Label : public Control {
    using Control::Control;
    friend class Form;
};

class TextBox : public Control {
public:
    std::string text() const;
    void setText(std::string_view text);

private:
    using Control::Control;
    friend class Form;
};

class CommandButton : public Control {
    using Control::Control;
    friend class Form;
};

class OptionButton : public Control {
public:
    // -1 when selected, 0 when not.
    TruthValue value() const;
    void setValue(TruthValue value);

private:
    using Control::Control;
    friend class Form;
};

class Form {
public:
    explicit Form(detail::WindowHost& host) : host_(host) {}
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Color backColor() const;
    void setBackColor(Color color);

    detail::WindowHost& host() const { return host_; }

protected:
    // Accessors: a control that is missing, or of another kind, raises the "control not found"
    // error naming it.
    Label label(std::string_view name) { return Label(*this, find(name, ControlKind::Label)); }
    TextBox textBox(std::string_view name) { return TextBox(*this, find(name, ControlKind::TextBox)); }
    CommandButton commandButton(std::string_view name) {
        return CommandButton(*this, find(name, ControlKind::CommandButton));
    }
    OptionButton optionButton(std::string_view name) {
        return OptionButton(*this, find(name, ControlKind::OptionButton));
    }

private:
    int find(std::string_view name, ControlKind kind) const;

    detail::WindowHost& host_;
};

// Calls a public function of the window `Result f(F&)` through the window instance: its result
// goes to `result`, a run-time error inside it comes back as a failed status. Unlike a control
// call, it leaves the floating-point status as the function left it.
template <class F, class Result>
Status callPublic(F& form, Result (*function)(F&), Result& result) {
    try {
        result = function(form);
        return Success;
    } catch (const RuntimeError& error) {
        return error.status();
    }
}

}  // namespace forms
