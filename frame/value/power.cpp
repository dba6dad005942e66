// The power: base^exponent, the same to the last bit on every platform.
//
// The C libraries' pow functions differ in the last place (the Windows one by more), so the
// power is the vendored function of third_party/optimized_routines_pow, built alike everywhere:
// plain IEEE double arithmetic and tables, no fused multiply-add, no contraction. It is within
// 0.54 units in the last place of the exact power, so where that lies very near the half place
// between two Doubles it may give the farther one (about one power in a thousand of random
// operands), the same one on every platform. The cases a program is most likely to write take
// an exact shortcut instead, each one correctly rounded operation: x^1, x^2, x^-1, x^0.5 (a
// square root can lie closer to a half place than any approximation tells apart: that of the
// largest Double does), and a short whole power whose repeated products are exact but the last.
#include "value.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "float_status.h"
#include "optimized_routines_pow/pow.h"
#include "runtime_error.h"

namespace forms {
namespace {

// base^exponent for a whole exponent 2 <= |exponent| <= 64, when the repeated multiplication
// is exact but for one rounding at the end (the last product, or the reciprocal of an exact
// power), ties included; false otherwise. Every partial power is a normal number, so none
// loses a bit.
bool shortWholePower(double base, double exponent, double& power) {
    if (!std::islessequal(std::fabs(exponent), 64.0) || exponent != std::trunc(exponent)) return false;
    if (base == 0 || !std::isfinite(base)) return false;
    const int count = static_cast<int>(std::fabs(exponent));
    if (count < 2) return false;
    int binaryExponent = 0;  // |base| lies in [2^(binaryExponent - 1), 2^binaryExponent)
    const double mantissa = std::frexp(std::fabs(base), &binaryExponent);
    if ((binaryExponent - 1) * count < -1021 || binaryExponent * count > 1023) return false;
    const auto bits = static_cast<std::uint64_t>(std::ldexp(mantissa, 53));
    const int significantBits = 53 - std::countr_zero(bits);
    if (significantBits * (exponent > 0 ? count - 1 : count) > 53) return false;
    power = base;
    for (int i = 1; i < count; ++i) power *= base;
    if (exponent < 0) power = 1 / power;
    return true;
}

// Every comparison here is quiet: a NaN operand raises no flag before the power itself.
double samePower(double base, double exponent) {
    if (exponent == 1) return base;
    if (exponent == 2) return base * base;
    if (exponent == -1) return 1 / base;  // base is not zero here
    // Not for a zero base: the power of -0 is +0, its square root -0.
    if (exponent == 0.5 && std::isgreater(base, 0.0)) return std::sqrt(base);
    double power = 0;
    if (shortWholePower(base, exponent, power)) return power;
    return optimized_routines::pow(base, exponent);
}

}  // namespace

double powerDouble(double base, double exponent) {
    // Quiet comparisons, so a NaN operand passes through without raising a flag here.
    if (std::isless(base, 0.0) && std::islessgreater(std::trunc(exponent), exponent)) raise(ErrorCode::InvalidProcedureCall);
    if (base == 0.0 && std::isless(exponent, 0.0)) raise(ErrorCode::InvalidProcedureCall);
    const double result = samePower(base, exponent);
    detail::notePowerStatus(base, exponent, result);
    return result;
}

}  // namespace forms
