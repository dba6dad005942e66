// Run-time errors and call status. No toolkit include.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace forms {

// The result of a handler, a public window function or a control call: 0 on success,
// negative on failure. A failure that carries a run-time error is -(its error number).
using Status = int;
inline constexpr Status Success = 0;

// Our catalogue of run-time errors.
enum class ErrorCode : int {
    InvalidProcedureCall = 1,
    Overflow = 2,
    ControlCallFailed = 3,
    FloatingPoint = 4,
    ControlNotFound = 5,
    OutOfMemory = 6,
};

// The Russian description of an error number, e.g. "переполнение".
std::string_view describe(ErrorCode code);

class RuntimeError : public std::exception {
public:
    // `where` names what failed, e.g. "Text2.SetFocus"; it may be empty.
    explicit RuntimeError(ErrorCode code, std::string where = {});

    ErrorCode code() const noexcept { return code_; }
    const std::string& where() const noexcept { return where_; }
    Status status() const noexcept { return -static_cast<int>(code_); }
    // "Ошибка выполнения 2: переполнение"
    std::string message() const;
    const char* what() const noexcept override { return what_.c_str(); }

private:
    ErrorCode code_;
    std::string where_;
    std::string what_;
};

[[noreturn]] void raise(ErrorCode code, std::string where = {});

// Raises the error that a failed call (negative status) reports: the catalogue error its status
// names, or "control call failed" for any other status.
[[noreturn]] void raiseCallError(Status status, std::string_view object, std::string_view interface,
                                 std::string_view operation);

// Raises the floating-point error.
[[noreturn]] void raiseFloatError();

}  // namespace forms
