// What every backend's dialogs show and copy: the kinds of dialog, their button captions and
// the text Ctrl+C puts on the clipboard. No toolkit include.
#pragma once

#include <string>
#include <string_view>

namespace forms {

enum class DialogKind { Message, Input, Error };

// One dialog as the program asks for it.
struct DialogRequest {
    DialogKind kind;
    std::string caption;
    std::string prompt;
};

// How the user answered: the typed text of an input box, and whether OK (true) or Cancel
// (false) closed it.
struct DialogAnswer {
    std::string text;
    bool accepted = true;
};

inline constexpr std::string_view OkCaption = "OK";
inline constexpr std::string_view CancelCaption = "Отмена";

// What Ctrl+C copies from a message box (its caption and text) or from an input box with
// nothing selected (its caption and prompt), with the platform's line break.
inline std::string copiedDialogText(std::string_view caption, std::string_view text, std::string_view lineBreak) {
    std::string copied(caption);
    copied.append(lineBreak).append(lineBreak).append(text).append(lineBreak);
    return copied;
}

}  // namespace forms
