// The floating-point status of the running handler: the invalid-operation, division-by-zero and
// overflow flags raised by the program's own arithmetic since the last control call.
// No toolkit include. The helpers pin the arithmetic they are given in program order, so that
// an optimising compiler can move neither the arithmetic nor the flag reads across each other.
#pragma once

#include <cfenv>

#include "runtime_error.h"

namespace forms {

// Forces `value` to be computed here, before any later call or flag read.
template <class T>
inline void pinFloat(T& value) {
    asm volatile("" : "+m"(value) : : "memory");
}

// The hardware's narrowing of a Double to Single: round to nearest, an infinity with the
// overflow flag beyond the Single range, 0 below it.
inline float narrowToSingle(double value) {
    float narrowed = static_cast<float>(value);
    pinFloat(narrowed);
    return narrowed;
}

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
#else
    std::fexcept_t saved_{};
#endif
};

}  // namespace forms
