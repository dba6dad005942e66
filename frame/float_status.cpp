// The floating-point status flags of the running handler.
#include "float_status.h"

namespace forms {

// fetestexcept and friends are opaque library calls, so the compiler keeps pinned arithmetic
// before them; they read and write both the SSE and the x87 flags.
bool floatErrorFlagged() { return std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW) != 0; }

void clearFloatStatus() { std::feclearexcept(FE_ALL_EXCEPT); }

FloatStatusKeeper::FloatStatusKeeper() { std::fegetexceptflag(&saved_, FE_ALL_EXCEPT); }

FloatStatusKeeper::~FloatStatusKeeper() { std::fesetexceptflag(&saved_, FE_ALL_EXCEPT); }

}  // namespace forms
