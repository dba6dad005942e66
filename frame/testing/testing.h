// Hooks for tests: answering dialogs from a script and making control calls fail on purpose.
// Linked by tests only. No toolkit include; qt/open_window.h and win32/open_window.h open a
// program's window and reach its controls.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "dialog_texts.h"
#include "runtime_error.h"

namespace forms::testing {

using forms::DialogAnswer;
using forms::DialogKind;
using forms::DialogRequest;

using DialogResponder = std::function<DialogAnswer(const DialogRequest&)>;

// While a responder is set, the runtime hands it every dialog instead of showing one.
void setDialogResponder(DialogResponder responder);
bool hasDialogResponder();
DialogAnswer respond(const DialogRequest& request);

// Records every dialog and answers input boxes from a queue (an empty queue answers "" and OK);
// message and error boxes are answered OK. Installed for its lifetime.
class ScriptedDialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs();
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    ScriptedDialogs& answer(std::string text);  // typed, then OK
    ScriptedDialogs& cancel();                  // Cancel pressed

    const std::vector<DialogRequest>& seen() const { return seen_; }
    std::vector<DialogRequest> ofKind(DialogKind kind) const;
    std::size_t errorCount() const { return ofKind(DialogKind::Error).size(); }
    // Forgets what was seen and any answer left over by a click that ended early.
    void clear() {
        seen_.clear();
        answers_.clear();
    }

private:
    std::deque<DialogAnswer> answers_;
    std::vector<DialogRequest> seen_;
};

// Makes the control call `operation` ("Text", "Value", "Visible", "Enabled", "SetFocus",
// "BackColor") on `object` (a control's or the window's name) report `status` until cleared.
void failControlCall(std::string object, std::string operation,
                     Status status = -static_cast<int>(ErrorCode::ControlCallFailed));
void clearControlCallFailures();

}  // namespace forms::testing
