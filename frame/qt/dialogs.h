// Message and input boxes, real or answered by a test's scripted responder. Each keeps the
// floating-point status as it was: nothing the toolkit does while a dialog is open changes it.
#pragma once

#include <string>
#include <string_view>

#include "testing.h"

class QWidget;

namespace forms::detail {

// Shows a modal message (or run-time error) box over `parent` with one OK button.
void showMessage(QWidget* parent, testing::DialogKind kind, std::string_view caption, std::string_view prompt);

// Asks for one line of text over `parent`; Cancel gives the empty text.
std::string askInput(QWidget* parent, std::string_view caption, std::string_view prompt);

}  // namespace forms::detail
