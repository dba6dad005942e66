// The dialogs as the program sees them: opened over the default window, the floating-point
// status kept across them, and handed first to an interceptor when one is set (tests answer
// dialogs from a script that way). No toolkit include.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "dialog_texts.h"

namespace forms::detail {

// Answers a dialog instead of showing it; returning nothing lets the dialog show.
using DialogInterceptor = std::function<std::optional<DialogAnswer>(const DialogRequest&)>;
void setDialogInterceptor(DialogInterceptor interceptor);

// A modal message (or run-time error) box with one OK button. With no window open there is
// nothing to show it over and it is left out.
void showMessage(DialogKind kind, std::string_view caption, std::string_view prompt);
// Asks for one line of text; Cancel, or no window to ask over, gives the empty text.
std::string askInput(std::string_view caption, std::string_view prompt);

}  // namespace forms::detail
