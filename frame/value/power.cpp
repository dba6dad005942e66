// The power: base^exponent, the same to the last bit on every platform.
#include "value.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "float_status.h"
#include "runtime_error.h"

namespace forms {
namespace {

// base^exponent the same to the last bit on every platform. The C libraries' pow functions
// differ in the last place (and the Windows one by more), so a finite, nonzero result is
// computed here from exp(exponent * log(base)) in double-double arithmetic: a value held as the
// unevaluated sum hi + lo, about 106 bits, with nothing but IEEE addition, multiplication and
// division of Doubles, which every platform rounds alike. Rounding that to a Double gives the
// correctly rounded power except where it lies within about 1E-28 of a halfway point.
struct DoubleDouble {
    double hi;
    double lo;
};

DoubleDouble quickTwoSum(double a, double b) {  // |a| >= |b|
    const double sum = a + b;
    return {sum, b - (sum - a)};
}

DoubleDouble twoSum(double a, double b) {
    const double sum = a + b;
    const double bPart = sum - a;
    return {sum, (a - (sum - bPart)) + (b - bPart)};
}

// a * b exactly, by Dekker's splitting into halves of 26 bits (no fused multiply-add needed).
DoubleDouble twoProduct(double a, double b) {
    constexpr double splitter = 134217729.0;  // 2^27 + 1
    const auto split = [](double x, double& high, double& low) {
        const double scaled = splitter * x;
        high = scaled - (scaled - x);
        low = x - high;
    };
    double aHigh = 0, aLow = 0, bHigh = 0, bLow = 0;
    split(a, aHigh, aLow);
    split(b, bHigh, bLow);
    const double product = a * b;
    return {product, ((aHigh * bHigh - product) + aHigh * bLow + aLow * bHigh) + aLow * bLow};
}

DoubleDouble operator+(DoubleDouble a, DoubleDouble b) {
    DoubleDouble high = twoSum(a.hi, b.hi);
    const DoubleDouble low = twoSum(a.lo, b.lo);
    high.lo += low.hi;
    high = quickTwoSum(high.hi, high.lo);
    high.lo += low.lo;
    return quickTwoSum(high.hi, high.lo);
}

DoubleDouble operator-(DoubleDouble a, DoubleDouble b) { return a + DoubleDouble{-b.hi, -b.lo}; }

DoubleDouble operator*(DoubleDouble a, DoubleDouble b) {
    DoubleDouble product = twoProduct(a.hi, b.hi);
    product.lo += a.hi * b.lo + a.lo * b.hi;
    return quickTwoSum(product.hi, product.lo);
}

DoubleDouble operator*(DoubleDouble a, double b) { return a * DoubleDouble{b, 0}; }

DoubleDouble operator/(DoubleDouble a, DoubleDouble b) {
    const double first = a.hi / b.hi;
    DoubleDouble rest = a - b * first;
    const double second = rest.hi / b.hi;
    rest = rest - b * second;
    const double third = rest.hi / b.hi;
    return quickTwoSum(first, second) + DoubleDouble{third, 0};
}

constexpr DoubleDouble Ln2{0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};

// log(x) for a finite x > 0: x = m * 2^e with m in [sqrt(1/2), sqrt(2)), and
// log(m) = 2 atanh(s) = 2 (s + s^3/3 + s^5/5 + ...) with s = (m - 1)/(m + 1), |s| < 0.172.
DoubleDouble logarithm(double x) {
    int exponent = 0;
    double m = std::frexp(x, &exponent);
    if (m < 0x1.6a09e667f3bcdp-1) {
        m *= 2;
        --exponent;
    }
    const DoubleDouble s = DoubleDouble{m - 1, 0} / twoSum(m, 1);  // m - 1 is exact
    const DoubleDouble square = s * s;
    DoubleDouble power = s;
    DoubleDouble series = s;
    for (int k = 1; k < 40 && power.hi != 0; ++k) {
        power = power * square;
        const DoubleDouble term = power / DoubleDouble{2.0 * k + 1, 0};
        series = series + term;
        if (std::fabs(term.hi) < 0x1p-110 * std::fabs(series.hi)) break;
    }
    return Ln2 * static_cast<double>(exponent) + series * 2.0;
}

// exp(t) = 2^scale * the result, for |t| below about 746: t - scale * log(2) taken down by
// 2^-8, its Taylor series, and the sum squared eight times.
DoubleDouble exponential(DoubleDouble t, int& scale) {
    scale = static_cast<int>(std::floor(t.hi / Ln2.hi + 0.5));
    DoubleDouble reduced = t - Ln2 * static_cast<double>(scale);
    reduced = {reduced.hi * 0x1p-8, reduced.lo * 0x1p-8};
    DoubleDouble sum{1, 0};
    DoubleDouble term{1, 0};
    for (int n = 1; n < 20; ++n) {
        term = term * reduced / DoubleDouble{static_cast<double>(n), 0};
        sum = sum + term;
        if (std::fabs(term.hi) < 0x1p-110) break;
    }
    for (int i = 0; i < 8; ++i) sum = sum * sum;
    return sum;
}

// (hi + lo) * 2^scale rounded once: a denormal result is rounded from all of hi + lo, not from
// hi + lo first rounded to 53 bits.
double scaledRounded(DoubleDouble value, int scale) {
    const double rounded = std::ldexp(value.hi + value.lo, scale);
    if (std::fabs(rounded) >= std::numeric_limits<double>::min()) return rounded;
    // In units of the least denormal: a whole number below 2^53 once rounded.
    const double unit = std::ldexp(1.0, -1074 - scale);
    const double high = value.hi / unit;
    double whole = std::round(high);
    const double rest = (high - whole) + value.lo / unit;
    const bool wholeIsOdd = std::fmod(whole, 2.0) != 0;
    if (rest > 0.5 || (rest == 0.5 && wholeIsOdd)) whole += 1;
    if (rest < -0.5 || (rest == -0.5 && wholeIsOdd)) whole -= 1;
    return std::ldexp(whole, -1074);
}

// base^exponent for finite operands; a negative base has a whole exponent here.
double samePower(double base, double exponent) {
    // The exactly rounded cases: one operation each. A square root can lie closer to a halfway
    // point than the series below can tell (that of the largest Double does).
    if (base == 0 || exponent == 0 || std::fabs(base) == 1) return std::pow(base, exponent);
    if (exponent == 1) return base;
    if (exponent == 2) return base * base;
    if (exponent == -1) return 1 / base;
    if (exponent == 0.5) return std::sqrt(base);  // base > 0 here
    const bool negative = base < 0 && std::fmod(exponent, 2.0) != 0;  // an odd exponent
    const DoubleDouble logBase = logarithm(std::fabs(base));
    // Beyond the largest Double, or below half the least denormal: the C library's infinity or
    // zero, and the flags it raises (an overflow for the infinity, none for the zero). The
    // first test keeps the product below from overflowing, which would raise flags of its own.
    if (std::fabs(exponent) > 1 && std::fabs(logBase.hi) > 746 / std::fabs(exponent)) return std::pow(base, exponent);
    const DoubleDouble t = logBase * exponent;
    if (!(t.hi < 709.782712893384) || t.hi < -745.2) return std::pow(base, exponent);
    // A whole exponent whose power of the base fits in 53 bits before the last multiplication:
    // repeated multiplication is exact up to that one rounding, ties included, where the
    // series below could land on either side. Every partial power is a normal number here.
    if (std::fabs(exponent) <= 64 && exponent == std::trunc(exponent) && t.hi > -708 && t.hi < 709) {
        const int count = static_cast<int>(std::fabs(exponent));
        int binaryExponent = 0;
        const auto mantissa = static_cast<std::uint64_t>(std::ldexp(std::frexp(std::fabs(base), &binaryExponent), 53));
        const int significantBits = 53 - std::countr_zero(mantissa);
        if (significantBits * (exponent > 0 ? count - 1 : count) <= 53) {
            double power = base;
            for (int i = 1; i < count; ++i) power *= base;
            return exponent > 0 ? power : 1 / power;
        }
    }
    int scale = 0;
    const DoubleDouble power = exponential(t, scale);
    const double magnitude = scaledRounded(power, scale);
    return negative ? -magnitude : magnitude;
}

}  // namespace

double powerDouble(double base, double exponent) {
    // Quiet comparisons, so a NaN operand passes through to pow without raising a flag here.
    if (std::isless(base, 0.0) && std::islessgreater(std::trunc(exponent), exponent)) raise(ErrorCode::InvalidProcedureCall);
    if (base == 0.0 && std::isless(exponent, 0.0)) raise(ErrorCode::InvalidProcedureCall);
    const double result =
        std::isfinite(base) && std::isfinite(exponent) ? samePower(base, exponent) : std::pow(base, exponent);
    detail::notePowerStatus(base, exponent, result);
    return result;
}

}  // namespace forms
