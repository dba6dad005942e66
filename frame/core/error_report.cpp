#include "error_report.h"

#include "backend.h"
#include "dialogs.h"
#include "instances.h"

namespace forms::detail {

std::string errorLine(std::string_view title, const RuntimeError& error, std::string_view where) {
    std::string line(title);
    line.append(": ").append(error.message()).append(" (").append(where);
    if (!error.where().empty()) line.append(": ").append(error.where());
    line.append(")");
    return line;
}

void reportRuntimeError(const RuntimeError& error, std::string_view where) {
    backend::writeErrorLine(errorLine(programTitle(), error, where));
    showMessage(DialogKind::Error, programTitle(), error.message());
}

}  // namespace forms::detail
