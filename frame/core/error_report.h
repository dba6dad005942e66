// The default handling of a run-time error no program handles: one line where the platform
// keeps such lines, then a modal error box captioned with the program title; the program goes
// on, and nothing the user typed is lost. No toolkit include.
#pragma once

#include <string>
#include <string_view>

#include "runtime_error.h"

namespace forms::detail {

// The line an unhandled run-time error writes, e.g. "sumdiff: Ошибка выполнения 2:
// переполнение (Command1_Click)", without its line end.
std::string errorLine(std::string_view title, const RuntimeError& error, std::string_view where);

void reportRuntimeError(const RuntimeError& error, std::string_view where);

}  // namespace forms::detail
