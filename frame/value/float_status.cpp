// The floating-point status flags of the running handler.
#include "float_status.h"

namespace forms {

// fetestexcept and friends are opaque library calls, so the compiler keeps pinned arithmetic
// before them; they read and write both the SSE and the x87 flags.
bool floatErrorFlagged() { return std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW) != 0; }

void clearFloatStatus() { std::feclearexcept(FE_ALL_EXCEPT); }

#if defined(_WIN32)

// The Windows C runtime's fesetexceptflag writes the flags into MXCSR's exception mask bits, so
// stale flags stay and traps are unmasked; the keeper reads and writes the flag bits itself.
// Both units count: the library's pow works on the x87 unit, our own arithmetic on SSE.
static_assert(sizeof(void*) == 8, "the Windows build is for x86-64");

namespace {

constexpr unsigned kFlagBits = 0x3f;  // invalid, denormal, divide by zero, overflow, underflow, inexact

// The x87 environment as fnstenv stores it in 64-bit mode (28 bytes).
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
