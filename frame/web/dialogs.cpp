// The message, error and input boxes: modal dialogs of the page. The C++ call waits (asyncify)
// until the user answers, as a desktop's modal loop would.
#include "dialog_texts.h"
#include "form_window.h"
#include "page.h"

namespace forms::detail {

namespace {

// The buttons' captions are the core's, as on the desktop; the browser's clipboard takes "\n" and
// gives each system its own line ends.
std::optional<std::string> ask(DialogKind kind, std::string_view caption, std::string_view prompt) {
    return page::ask(kind, caption, prompt, copiedDialogText(caption, prompt, "\n"), OkCaption, CancelCaption);
}

}  // namespace

void FormWindow::showMessageBox(DialogKind kind, std::string_view caption, std::string_view prompt) {
    ask(kind, caption, prompt);
}

std::optional<std::string> FormWindow::showInputBox(std::string_view caption, std::string_view prompt) {
    return ask(DialogKind::Input, caption, prompt);
}

}  // namespace forms::detail
