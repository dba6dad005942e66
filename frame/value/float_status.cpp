// The floating-point status flags of the running handler.
#include "float_status.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

namespace forms {

#if FORMS_SOFTWARE_FLOAT_STATUS

namespace {

// The status word of the running handler. One thread: the browser runs the program on its
// page's thread.
unsigned status = 0;

// A NaN whose quiet bit (the top bit of the significand) is clear.
template <class F>
bool isSignalingNan(F value) {
    if (!std::isnan(value)) return false;
    using Bits = std::conditional_t<sizeof(F) == 4, std::uint32_t, std::uint64_t>;
    Bits bits = 0;
    std::memcpy(&bits, &value, sizeof value);
    constexpr Bits quietBit = Bits{1} << (std::numeric_limits<F>::digits - 2);
    return (bits & quietBit) == 0;
}

// What an operation with these operands and this result raises on IEEE hardware. Division by
// zero is an exact infinity, not an overflow; a NaN made from non-NaN operands (inf - inf,
// 0 * inf, 0 / 0, x % 0, inf % y) and any signaling NaN operand is an invalid operation.
template <class F>
F noteArithmetic(F left, F right, F result, bool division) {
    unsigned raised = 0;
    if (isSignalingNan(left) || isSignalingNan(right)) {
        raised |= detail::InvalidFlag;
    } else if (std::isnan(result) && !std::isnan(left) && !std::isnan(right)) {
        raised |= detail::InvalidFlag;
    } else if (division && right == 0 && std::isfinite(left) && left != 0) {
        raised |= detail::DivideByZeroFlag;
    } else if (std::isinf(result) && std::isfinite(left) && std::isfinite(right)) {
        raised |= detail::OverflowFlag;
    }
    status |= raised;
    return result;
}

// A C library function's result: the same rule for every function, as each raises invalid
// operation for a NaN it makes from numbers and division by zero or overflow for an infinity it
// makes from finite arguments (the check reports the three alike).
template <class F, class... A>
void noteLibraryResult(F result, A... arguments) {
    if ((isSignalingNan(arguments) || ...)) {
        status |= detail::InvalidFlag;
    } else if (std::isnan(result) && !(std::isnan(arguments) || ...)) {
        status |= detail::InvalidFlag;
    } else if (std::isinf(result) && (std::isfinite(arguments) && ...)) {
        status |= detail::OverflowFlag;
    }
}

template <class F>
bool noteOrderedComparison(F left, F right, bool result) {
    if (std::isnan(left) || std::isnan(right)) status |= detail::InvalidFlag;
    return result;
}

}  // namespace

bool floatErrorFlagged() {
    return (status & (detail::InvalidFlag | detail::DivideByZeroFlag | detail::OverflowFlag)) != 0;
}

void clearFloatStatus() { status = 0; }

FloatStatusKeeper::FloatStatusKeeper() : saved_(status) {}

FloatStatusKeeper::~FloatStatusKeeper() { status = saved_; }

namespace detail {

unsigned softwareFloatStatus() { return status; }

void raiseSoftwareFloatStatus(unsigned flags) { status |= flags; }

void notePowerStatus(double base, double exponent, double result) {
    if (std::isnan(result) && !std::isnan(base) && !std::isnan(exponent)) {
        status |= InvalidFlag;
    } else if (std::isinf(result) && base == 0) {
        status |= DivideByZeroFlag;
    } else if (std::isinf(result) && std::isfinite(base) && std::isfinite(exponent)) {
        status |= OverflowFlag;
    }
}

}  // namespace detail

#else

// fetestexcept and friends are opaque library calls, so the compiler keeps pinned arithmetic
// before them; they read and write both the SSE and the x87 flags.
bool floatErrorFlagged() { return std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW) != 0; }

void clearFloatStatus() { std::feclearexcept(FE_ALL_EXCEPT); }

namespace detail {
// The hardware flags pow itself.
void notePowerStatus(double, double, double) {}
}  // namespace detail

#endif

#if FORMS_SOFTWARE_FLOAT_STATUS
// The keeper of the status word is above.
#elif defined(_WIN32)

// The Windows C runtime's fesetexceptflag writes the flags into MXCSR's exception mask bits, so
// stale flags stay and traps are unmasked; the keeper reads and writes the flag bits itself.
// Both units count: the library's pow works on the x87 unit, our own arithmetic on SSE (the
// 32-bit build's too, compiled for SSE2 arithmetic).
#if !defined(__x86_64__) && !defined(__SSE2_MATH__)
#error "the Windows build's own arithmetic is on SSE2: -msse2 -mfpmath=sse for 32-bit x86"
#endif

namespace {

constexpr unsigned kFlagBits = 0x3f;  // invalid, denormal, divide by zero, overflow, underflow, inexact

// The x87 environment as fnstenv stores it in 32- and 64-bit mode alike (28 bytes).
struct X87Environment {
    unsigned controlWord;
    unsigned statusWord;
    unsigned rest[5];
};

unsigned sseStatus() {
    unsigned csr = 0;
    asm volatile("stmxcsr %0" : "=m"(csr));
    return csr;
}

}  // namespace

FloatStatusKeeper::FloatStatusKeeper() {
    unsigned short status = 0;
    asm volatile("fnstsw %0" : "=am"(status));
    x87Flags_ = status & kFlagBits;
    sseFlags_ = sseStatus() & kFlagBits;
}

FloatStatusKeeper::~FloatStatusKeeper() {
    std::feclearexcept(FE_ALL_EXCEPT);
    if (sseFlags_ != 0) {
        unsigned csr = sseStatus() | sseFlags_;
        asm volatile("ldmxcsr %0" : : "m"(csr));
    }
    if (x87Flags_ != 0) {
        X87Environment environment;
        asm volatile("fnstenv %0" : "=m"(environment));
        environment.statusWord |= x87Flags_;
        asm volatile("fldenv %0" : : "m"(environment));
    }
}

#else

FloatStatusKeeper::FloatStatusKeeper() { std::fegetexceptflag(&saved_, FE_ALL_EXCEPT); }

FloatStatusKeeper::~FloatStatusKeeper() { std::fesetexceptflag(&saved_, FE_ALL_EXCEPT); }

#endif

}  // namespace forms

#if FORMS_SOFTWARE_FLOAT_STATUS

// The checked operations. This file itself is compiled with plain arithmetic.
extern "C" {
float forms_fp_fadd_float(float l, float r) { return forms::noteArithmetic(l, r, l + r, false); }
float forms_fp_fsub_float(float l, float r) { return forms::noteArithmetic(l, r, l - r, false); }
float forms_fp_fmul_float(float l, float r) { return forms::noteArithmetic(l, r, l * r, false); }
float forms_fp_fdiv_float(float l, float r) { return forms::noteArithmetic(l, r, l / r, true); }
float forms_fp_frem_float(float l, float r) { return forms::noteArithmetic(l, r, std::fmod(l, r), false); }
double forms_fp_fadd_double(double l, double r) { return forms::noteArithmetic(l, r, l + r, false); }
double forms_fp_fsub_double(double l, double r) { return forms::noteArithmetic(l, r, l - r, false); }
double forms_fp_fmul_double(double l, double r) { return forms::noteArithmetic(l, r, l * r, false); }
double forms_fp_fdiv_double(double l, double r) { return forms::noteArithmetic(l, r, l / r, true); }
double forms_fp_frem_double(double l, double r) { return forms::noteArithmetic(l, r, std::fmod(l, r), false); }

float forms_fp_fptrunc(double value) {
    const auto narrowed = static_cast<float>(value);
    if (forms::isSignalingNan(value)) {
        forms::status |= forms::detail::InvalidFlag;
    } else if (std::isinf(narrowed) && std::isfinite(value)) {
        forms::status |= forms::detail::OverflowFlag;
    }
    return narrowed;
}

bool forms_fp_fcmp_olt_float(float l, float r) { return forms::noteOrderedComparison(l, r, l < r); }
bool forms_fp_fcmp_ogt_float(float l, float r) { return forms::noteOrderedComparison(l, r, l > r); }
bool forms_fp_fcmp_ole_float(float l, float r) { return forms::noteOrderedComparison(l, r, l <= r); }
bool forms_fp_fcmp_oge_float(float l, float r) { return forms::noteOrderedComparison(l, r, l >= r); }
bool forms_fp_fcmp_olt_double(double l, double r) { return forms::noteOrderedComparison(l, r, l < r); }
bool forms_fp_fcmp_ogt_double(double l, double r) { return forms::noteOrderedComparison(l, r, l > r); }
bool forms_fp_fcmp_ole_double(double l, double r) { return forms::noteOrderedComparison(l, r, l <= r); }
bool forms_fp_fcmp_oge_double(double l, double r) { return forms::noteOrderedComparison(l, r, l >= r); }

void forms_fp_note_float_1(float r, float a) { forms::noteLibraryResult(r, a); }
void forms_fp_note_float_2(float r, float a, float b) { forms::noteLibraryResult(r, a, b); }
void forms_fp_note_float_3(float r, float a, float b, float c) { forms::noteLibraryResult(r, a, b, c); }
void forms_fp_note_double_1(double r, double a) { forms::noteLibraryResult(r, a); }
void forms_fp_note_double_2(double r, double a, double b) { forms::noteLibraryResult(r, a, b); }
void forms_fp_note_double_3(double r, double a, double b, double c) { forms::noteLibraryResult(r, a, b, c); }
}

#endif
