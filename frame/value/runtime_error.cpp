// Run-time errors: the catalogue's descriptions and the exceptions that carry them.
#include "runtime_error.h"

#include <utility>

namespace forms {

std::string_view describe(ErrorCode code) {
    switch (code) {
        case ErrorCode::InvalidProcedureCall: return "недопустимый вызов процедуры";
        case ErrorCode::Overflow: return "переполнение";
        case ErrorCode::ControlCallFailed: return "сбой вызова элемента управления";
        case ErrorCode::FloatingPoint: return "ошибка операции с плавающей точкой";
        case ErrorCode::ControlNotFound: return "элемент управления не найден";
        case ErrorCode::OutOfMemory: return "недостаточно памяти";
    }
    return "неизвестная ошибка";
}

RuntimeError::RuntimeError(ErrorCode code, std::string where)
    : code_(code), where_(std::move(where)), what_(message()) {
    if (!where_.empty()) {
        what_ += " (";
        what_ += where_;
        what_ += ')';
    }
}

std::string RuntimeError::message() const {
    std::string text = "Ошибка выполнения ";
    text += std::to_string(static_cast<int>(code_));
    text += ": ";
    text += describe(code_);
    return text;
}

void raise(ErrorCode code, std::string where) { throw RuntimeError(code, std::move(where)); }

void raiseCallError(Status status, std::string_view object, std::string_view /*interface*/,
                    std::string_view operation) {
    std::string where;
    where.reserve(object.size() + 1 + operation.size());
    where.append(object).append(".").append(operation);
    // Compared on the status itself: negating an arbitrary status could overflow.
    constexpr int first = static_cast<int>(ErrorCode::InvalidProcedureCall);
    constexpr int last = static_cast<int>(ErrorCode::OutOfMemory);
    if (status <= -first && status >= -last) raise(static_cast<ErrorCode>(-status), std::move(where));
    raise(ErrorCode::ControlCallFailed, std::move(where));
}

void raiseFloatError() { raise(ErrorCode::FloatingPoint); }

}  // namespace forms
