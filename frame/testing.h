// Hooks for tests: answering dialogs from a script and making control calls fail on purpose.
// No toolkit include; see qt_testing.h for opening a window and reaching its widgets.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime_error.h"

namespace forms::testing {

enum class DialogKind { Message, Input, Error };

struct DialogRequest {
    DialogKind kind;
    std::string caption;
    std::string prompt;
};

// What the scripted user answers: the typed text for an input box, and whether OK (true) or
// Cancel (false) closed it.
struct DialogAnswer {
    std::string text;
    bool accepted = true;
};

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
