// The message, error and input boxes: modal dialogs of the page. The C++ call waits (asyncify)
// until the user answers, as a desktop's modal loop would.
#include <emscripten.h>

#include <cstdlib>

#include "dialog_texts.h"
#include "form_window.h"

namespace forms::detail {

namespace {

// Gives the typed text in memory the caller frees, or nullptr when the box was cancelled. The
// buttons' captions are the core's, as on the desktop.
EM_ASYNC_JS(char*, askOnPage, (int kind, const char* caption, int captionSize, const char* prompt, int promptSize,
                               const char* copied, int copiedSize, const char* ok, int okSize, const char* cancel,
                               int cancelSize), {
    const answer = await formsPage.dialog(kind, UTF8ToString(caption, captionSize), UTF8ToString(prompt, promptSize),
                                          UTF8ToString(copied, copiedSize), UTF8ToString(ok, okSize),
                                          UTF8ToString(cancel, cancelSize));
    if (answer === null) return 0;
    const size = lengthBytesUTF8(answer) + 1;
    const text = _malloc(size);
    stringToUTF8(answer, text, size);
    return text;
});

std::optional<std::string> ask(DialogKind kind, std::string_view caption, std::string_view prompt) {
    // The browser's clipboard takes "\n" and gives each system its own line ends.
    const std::string copied = copiedDialogText(caption, prompt, "\n");
    char* answer = askOnPage(static_cast<int>(kind), caption.data(), static_cast<int>(caption.size()), prompt.data(),
                             static_cast<int>(prompt.size()), copied.data(), static_cast<int>(copied.size()),
                             OkCaption.data(), static_cast<int>(OkCaption.size()), CancelCaption.data(),
                             static_cast<int>(CancelCaption.size()));
    if (!answer) return std::nullopt;
    std::string text(answer);
    std::free(answer);
    return text;
}

}  // namespace

void FormWindow::showMessageBox(DialogKind kind, std::string_view caption, std::string_view prompt) {
    ask(kind, caption, prompt);
}

std::optional<std::string> FormWindow::showInputBox(std::string_view caption, std::string_view prompt) {
    return ask(DialogKind::Input, caption, prompt);
}

}  // namespace forms::detail
