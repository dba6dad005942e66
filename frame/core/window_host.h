// The seam between the runtime core and a toolkit: what a window instance asks of the toolkit.
// A backend derives its window from WindowHost and implements the control members and the two
// dialogs over the window. Each member call returns a status (negative on failure) and never
// raises; the Form side turns failures into run-time errors. No toolkit include.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "dialog_texts.h"
#include "project.h"
#include "runtime_error.h"
#include "value.h"

namespace forms::detail {

// A control call the toolkit cannot do (focus to a hidden control, a text beyond the limit).
inline constexpr Status CannotDo = -static_cast<int>(ErrorCode::ControlCallFailed);

class WindowHost {
public:
    // What the runtime keeps with a loaded window (its form, whether it is the default
    // instance; instances.h). The window holds it so that it ends with the window, after the
    // backend's part of the window has gone.
    class Attachment {
    public:
        virtual ~Attachment() = default;
    };

    explicit WindowHost(const Project& project) : project_(project) {}
    virtual ~WindowHost() = default;
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;

    const Project& project() const { return project_; }
    const WindowDescription& description() const { return project_.window; }
    const ControlDescription& descriptionOf(int control) const { return project_.window.controls[control]; }
    Attachment* attachment() const { return attachment_.get(); }
    void attach(std::unique_ptr<Attachment> attachment) { attachment_ = std::move(attachment); }

    // Control members. `control` is an index into the description, and Form has already
    // checked that the control is of the kind the member belongs to.
    virtual Status getText(int control, std::string& text) = 0;
    // `text` fits the text box (MaxTextBoxLength): Form refuses longer texts itself.
    virtual Status setText(int control, std::string_view text) = 0;
    virtual Status getValue(int control, TruthValue& value) = 0;
    virtual Status setValue(int control, TruthValue value) = 0;
    virtual Status getVisible(int control, bool& visible) = 0;
    virtual Status setVisible(int control, bool visible) = 0;
    virtual Status getEnabled(int control, bool& enabled) = 0;
    virtual Status setEnabled(int control, bool enabled) = 0;
    virtual Status setFocus(int control) = 0;
    virtual Status getBackColor(Color& color) = 0;
    virtual Status setBackColor(Color color) = 0;

    // The modal dialogs over this window, returning when the user has answered: a box with one
    // OK button (an error icon for a run-time error), and the input box, giving the typed text
    // or nothing when cancelled. The texts are in dialog_texts.h.
    virtual void showMessageBox(DialogKind kind, std::string_view caption, std::string_view prompt) = 0;
    virtual std::optional<std::string> showInputBox(std::string_view caption, std::string_view prompt) = 0;

private:
    const Project& project_;
    std::unique_ptr<Attachment> attachment_;
};

}  // namespace forms::detail
