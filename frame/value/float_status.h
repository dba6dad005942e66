// The floating-point status of the running handler: the invalid-operation, division-by-zero and
// overflow flags raised by the program's own arithmetic since the last control call.
// No toolkit include. The helpers pin the arithmetic they are given in program order, so that
// an optimising compiler can move neither the arithmetic nor the flag reads across each other.
//
// WebAssembly has no status flags. There the status is a word in memory, set by the checked
// operations below: the build puts them in place of every floating-point operation of a
// program's own code (cmake/float-arithmetic), and the value layer calls them for its own
// arithmetic.
#pragma once

#include <cfenv>

#include "runtime_error.h"

#if defined(__EMSCRIPTEN__)
#define FORMS_SOFTWARE_FLOAT_STATUS 1
#else
#define FORMS_SOFTWARE_FLOAT_STATUS 0
#endif

#if FORMS_SOFTWARE_FLOAT_STATUS
// The checked operations: the IEEE result, with the flags the operation raises on hardware that
// has them (invalid operation, division by zero, overflow) added to the status word. The names
// are what cmake/float-arithmetic writes in place of the plain instructions.
extern "C" {
float forms_fp_fadd_float(float left, float right);
float forms_fp_fsub_float(float left, float right);
float forms_fp_fmul_float(float left, float right);
float forms_fp_fdiv_float(float left, float right);
float forms_fp_frem_float(float left, float right);
double forms_fp_fadd_double(double left, double right);
double forms_fp_fsub_double(double left, double right);
double forms_fp_fmul_double(double left, double right);
double forms_fp_fdiv_double(double left, double right);
double forms_fp_frem_double(double left, double right);
// Double to Single.
float forms_fp_fptrunc(double value);
// The ordered comparisons <, >, <=, >=: a NaN operand raises invalid operation.
bool forms_fp_fcmp_olt_float(float left, float right);
bool forms_fp_fcmp_ogt_float(float left, float right);
bool forms_fp_fcmp_ole_float(float left, float right);
bool forms_fp_fcmp_oge_float(float left, float right);
bool forms_fp_fcmp_olt_double(double left, double right);
bool forms_fp_fcmp_ogt_double(double left, double right);
bool forms_fp_fcmp_ole_double(double left, double right);
bool forms_fp_fcmp_oge_double(double left, double right);
// After a C library math function: its result and its floating-point arguments. A NaN from
// non-NaN arguments is an invalid operation, an infinity from finite ones an overflow or a pole.
void forms_fp_note_float_1(float result, float argument);
void forms_fp_note_float_2(float result, float first, float second);
void forms_fp_note_float_3(float result, float first, float second, float third);
void forms_fp_note_double_1(double result, double argument);
void forms_fp_note_double_2(double result, double first, double second);
void forms_fp_note_double_3(double result, double first, double second, double third);
}
#endif

namespace forms {

// Forces `value` to be computed here, before any later call or flag read.
template <class T>
inline void pinFloat(T& value) {
    asm volatile("" : "+m"(value) : : "memory");
}

// The hardware's narrowing of a Double to Single: round to nearest, an infinity with the
// overflow flag beyond the Single range, 0 below it.
inline float narrowToSingle(double value) {
#if FORMS_SOFTWARE_FLOAT_STATUS
    return forms_fp_fptrunc(value);
#else
    float narrowed = static_cast<float>(value);
    pinFloat(narrowed);
    return narrowed;
#endif
}

namespace detail {
// left + right and left - right with the status kept as the hardware keeps it: plain arithmetic
// where the hardware flags, the checked operations where it has none.
inline float statusAdd(float left, float right) {
#if FORMS_SOFTWARE_FLOAT_STATUS
    return forms_fp_fadd_float(left, right);
#else
    return left + right;
#endif
}
inline float statusSub(float left, float right) {
#if FORMS_SOFTWARE_FLOAT_STATUS
    return forms_fp_fsub_float(left, right);
#else
    return left - right;
#endif
}
inline double statusAdd(double left, double right) {
#if FORMS_SOFTWARE_FLOAT_STATUS
    return forms_fp_fadd_double(left, right);
#else
    return left + right;
#endif
}
inline double statusSub(double left, double right) {
#if FORMS_SOFTWARE_FLOAT_STATUS
    return forms_fp_fsub_double(left, right);
#else
    return left - right;
#endif
}
// Where the hardware has no flags: adds what powerDouble's arithmetic raises on hardware that
// has them (the power function's own steps are not observed: frame/value/power.cpp).
void notePowerStatus(double base, double exponent, double result);

#if FORMS_SOFTWARE_FLOAT_STATUS
// The status word's flags, read and raised directly (for tests).
inline constexpr unsigned InvalidFlag = 1;
inline constexpr unsigned DivideByZeroFlag = 2;
inline constexpr unsigned OverflowFlag = 4;
unsigned softwareFloatStatus();
void raiseSoftwareFloatStatus(unsigned flags);
#endif
}  // namespace detail

bool floatErrorFlagged();
void clearFloatStatus();

// Raises the floating-point run-time error if the invalid-operation, division-by-zero or
// overflow flag is set; the values named are computed before the flags are read.
template <class... T>
void checkFloatStatus(T... values) {
    (pinFloat(values), ...);
    if (floatErrorFlagged()) raiseFloatError();
}

// Keeps the flags as they are across toolkit work (a dialog, event processing): whatever the
// toolkit raises or clears meanwhile is undone when the guard ends.
class FloatStatusKeeper {
public:
    FloatStatusKeeper();
    ~FloatStatusKeeper();
    FloatStatusKeeper(const FloatStatusKeeper&) = delete;
    FloatStatusKeeper& operator=(const FloatStatusKeeper&) = delete;

private:
#if defined(_WIN32)
    // The flags of the x87 status word and of MXCSR, kept apart (see float_status.cpp).
    unsigned x87Flags_ = 0;
    unsigned sseFlags_ = 0;
#elif FORMS_SOFTWARE_FLOAT_STATUS
    unsigned saved_ = 0;
#else
    std::fexcept_t saved_{};
#endif
};

}  // namespace forms
