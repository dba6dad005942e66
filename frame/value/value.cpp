// The value layer: text/number conversions, rounding and variant arithmetic.
// Every conversion here is locale-independent: the application sets the user's locale, which
// must not change how numbers are read or shown.
#include "value.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>

#include "float_status.h"
#include "runtime_error.h"
#include "utf16.h"

// The browser's C++ library has no floating-point to_chars or from_chars: fmt's shortest
// round-trip formatting and fast_float's reading take their place there, both exact.
#if defined(__EMSCRIPTEN__)
#include <fast_float/fast_float.h>
#include <fmt/compile.h>
#include <fmt/format.h>
#define FORMS_NUMBER_TEXT_LIBRARIES 1
#endif

namespace forms {
namespace {

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSeparator(char c) { return c == '.' || c == ','; }

// What counts as a blank around a number: every Unicode white-space character, and the
// invisible format marks that pasted text carries (bidi marks, embeddings and isolates,
// zero-width space and joiners, word joiner, byte-order mark). None of them shows, so a box
// that looks like "7" reads as 7.
struct Range {
    char32_t first;
    char32_t last;
};
constexpr Range Blanks[] = {
    {0x0009, 0x000D}, {0x0020, 0x0020}, {0x0085, 0x0085}, {0x00A0, 0x00A0}, {0x061C, 0x061C},
    {0x1680, 0x1680}, {0x2000, 0x200F}, {0x2028, 0x202F}, {0x205F, 0x2060}, {0x2066, 0x2069},
    {0x3000, 0x3000}, {0xFEFF, 0xFEFF},
};
constexpr char32_t MinusSign = 0x2212;

// The length in bytes of the blank at text[i], or 0 when none starts there.
std::size_t blankAt(std::string_view text, std::size_t i) {
    const detail::CodePoint c = detail::codePointAt(text, i);
    for (const Range& range : Blanks) {
        if (c.length > 0 && c.value >= range.first && c.value <= range.last) return c.length;
    }
    return 0;
}

// Every Double and every halfway point between two Doubles has at most 767 significant decimal
// digits, so keeping more than that and folding the rest into one nonzero "sticky" digit
// rounds exactly as the full digit string would, while the conversion sees a bounded input.
constexpr std::size_t KeptDigits = 800;
// Any nonzero significand with an exponent this large is far outside the Double range either
// way; clamping keeps a long exponent from overflowing the count.
constexpr std::int64_t ExponentClamp = 1'000'000'000'000;

// The decimal digits and exponent of the shortest text that reads back to `value` (finite,
// nonzero): value = [-]d.ddd * 10^exponent.
struct ShortestDigits {
    bool negative = false;
    std::array<char, 24> digits{};
    int count = 0;
    int exponent = 0;
};

#if FORMS_NUMBER_TEXT_LIBRARIES
// fmt's shortest text picks plain or exponent notation by itself ("0.0003", "1000000000000000",
// "1.5e+20"); the significant digits and the decimal exponent are read back out of either. The
// format is compiled, so that only the writer of this one type is in the program, not fmt's
// whole run-time formatter (two thirds of a page's size).
template <class F>
ShortestDigits shortestDigits(F value) {
    std::array<char, 48> text{};
    const char* const end = fmt::format_to_n(text.data(), text.size(), FMT_COMPILE("{}"), value).out;
    const char* p = text.data();
    ShortestDigits out;
    if (*p == '-') {
        out.negative = true;
        ++p;
    }
    int digitsSeen = 0;
    int leadingZeros = 0;
    int point = -1;
    for (; p != end && *p != 'e'; ++p) {
        if (*p == '.') {
            point = digitsSeen;
            continue;
        }
        ++digitsSeen;
        if (out.count == 0 && *p == '0') {
            ++leadingZeros;
        } else {
            out.digits[static_cast<std::size_t>(out.count++)] = *p;
        }
    }
    if (point < 0) point = digitsSeen;
    int exponent = 0;
    if (p != end) {
        ++p;  // 'e'
        const bool negativeExponent = *p == '-';
        if (*p == '-' || *p == '+') ++p;
        for (; p != end; ++p) exponent = exponent * 10 + (*p - '0');
        if (negativeExponent) exponent = -exponent;
    }
    while (out.digits[static_cast<std::size_t>(out.count - 1)] == '0') --out.count;  // value != 0
    out.exponent = point - leadingZeros - 1 + exponent;
    return out;
}
#else
template <class F>
ShortestDigits shortestDigits(F value) {
    std::array<char, 48> text{};
    const auto converted =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::scientific);
    // The text is "[-]d[.ddd]e(+|-)dd".
    const char* p = text.data();
    ShortestDigits out;
    if (*p == '-') {
        out.negative = true;
        ++p;
    }
    for (; *p != 'e'; ++p) {
        if (isDigit(*p)) out.digits[static_cast<std::size_t>(out.count++)] = *p;
    }
    ++p;  // 'e'
    const bool negativeExponent = *p == '-';
    ++p;  // exponent sign, always present
    std::from_chars(p, converted.ptr, out.exponent);
    if (negativeExponent) out.exponent = -out.exponent;
    return out;
}

#endif

template <class F>
std::string textFromFloating(F value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return std::signbit(value) ? "-Infinity" : "Infinity";
    if (value == 0) return "0";

    const ShortestDigits d = shortestDigits(value);
    const std::string_view digits(d.digits.data(), static_cast<std::size_t>(d.count));
    std::string out;
    if (d.negative) out.push_back('-');
    if (d.exponent >= -5 && d.exponent < 15) {
        // Plain notation, decided on the digits shown so the text never contradicts its form.
        if (d.exponent < 0) {
            out += "0.";
            out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
            out += digits;
        } else if (d.count <= d.exponent + 1) {
            out += digits;
            out.append(static_cast<std::size_t>(d.exponent + 1 - d.count), '0');
        } else {
            const auto integerDigits = static_cast<std::size_t>(d.exponent + 1);
            out += digits.substr(0, integerDigits);
            out.push_back('.');
            out += digits.substr(integerDigits);
        }
        return out;
    }
    out.push_back(digits[0]);
    if (d.count > 1) {
        out.push_back('.');
        out += digits.substr(1);
    }
    out.push_back('E');
    out.push_back(d.exponent < 0 ? '-' : '+');
    const int magnitude = d.exponent < 0 ? -d.exponent : d.exponent;
    if (magnitude < 10) out.push_back('0');
    out += std::to_string(magnitude);
    return out;
}

// The operand values in the types the arithmetic is done in. Empty is 0 in every type.
int intOf(const Variant& value) {
    const auto* number = std::get_if<std::int16_t>(&value);
    return number ? *number : 0;
}

float floatOf(const Variant& value) {
    if (const auto* number = std::get_if<float>(&value)) return *number;
    return static_cast<float>(intOf(value));
}

// The result type of an arithmetic operation is the wider operand type, at least Int16; the
// variant's alternatives are listed in widening order, so the index ranks them.
constexpr std::size_t Int16Kind = 1;
constexpr std::size_t SingleKind = 2;

template <bool Subtract>
Variant combine(const Variant& left, const Variant& right) {
    switch (std::max({left.index(), right.index(), Int16Kind})) {
        case Int16Kind: {
            const int result = Subtract ? intOf(left) - intOf(right) : intOf(left) + intOf(right);
            if (result < std::numeric_limits<std::int16_t>::min() ||
                result > std::numeric_limits<std::int16_t>::max()) {
                raise(ErrorCode::Overflow);
            }
            return static_cast<std::int16_t>(result);
        }
        case SingleKind: {
            const float a = floatOf(left);
            const float b = floatOf(right);
            return Subtract ? detail::statusSub(a, b) : detail::statusAdd(a, b);
        }
        default: {
            const double a = doubleFromVariant(left);
            const double b = doubleFromVariant(right);
            return Subtract ? detail::statusSub(a, b) : detail::statusAdd(a, b);
        }
    }
}

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

double numberFromText(std::string_view text) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const std::size_t blank = blankAt(text, i);
        if (blank == 0) break;
        i += blank;
    }
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    } else if (i < n && detail::codePointAt(text, i).value == MinusSign) {
        // The typographic minus sign, as word processors and web pages write it.
        negative = true;
        i += detail::codePointAt(text, i).length;
    }

    // The significant digits (from the first nonzero one) go to `buffer`, and the value is
    // 0.<significant digits> * 10^(pointPlace + exponent). The buffer also holds the sticky
    // digit and the exponent appended for the final conversion.
    std::array<char, KeptDigits + 32> buffer{};
    std::size_t kept = 0;
    bool sticky = false;
    bool significant = false;
    std::int64_t pointPlace = 0;
    std::size_t digitCount = 0;
    const auto takeDigit = [&](char c) {
        significant = true;
        if (kept < KeptDigits) {
            buffer[kept++] = c;
        } else if (c != '0') {
            sticky = true;
        }
    };

    for (; i < n && isDigit(text[i]); ++i, ++digitCount) {
        if (!significant && text[i] == '0') continue;
        ++pointPlace;
        takeDigit(text[i]);
    }
    // The separator belongs to the number only next to a digit: "5." and ".5" are numbers, "." not.
    if (i < n && isSeparator(text[i]) && (digitCount > 0 || (i + 1 < n && isDigit(text[i + 1])))) {
        for (++i; i < n && isDigit(text[i]); ++i, ++digitCount) {
            if (!significant && text[i] == '0') {
                --pointPlace;
                continue;
            }
            takeDigit(text[i]);
        }
    }
    if (digitCount == 0) return 0.0;

    // An exponent marker counts only with at least one digit after its optional sign; when
    // it has none, the exponent stays 0 and the marker is part of the ignored rest.
    std::int64_t exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            ++j;
        }
        for (; j < n && isDigit(text[j]) && exponent < ExponentClamp; ++j) {
            exponent = exponent * 10 + (text[j] - '0');
        }
        if (negativeExponent) exponent = -exponent;
    }

    const double zero = negative ? -0.0 : 0.0;
    if (!significant) return zero;
    // The value lies in [10^(magnitude-1), 10^magnitude).
    const std::int64_t magnitude = pointPlace + exponent;
    if (magnitude > 309) raise(ErrorCode::Overflow);  // at least 1E+309
    if (magnitude < -323) return zero;                // below 1E-324, under half the least denormal

    std::size_t length = kept;
    if (sticky) {
        buffer[length++] = '1';
    } else {
        while (buffer[length - 1] == '0') --length;  // the first kept digit is nonzero
    }
    const std::int64_t scale = magnitude - static_cast<std::int64_t>(length);
    buffer[length++] = 'e';
    const auto end = std::to_chars(buffer.data() + length, buffer.data() + buffer.size(), scale).ptr;

    double value = 0.0;
#if FORMS_NUMBER_TEXT_LIBRARIES
    // An infinity for a value too large, 0 for one that rounds to it.
    fast_float::from_chars(buffer.data(), end, value, fast_float::chars_format::scientific);
    if (std::isinf(value)) raise(ErrorCode::Overflow);
#else
    const auto converted = std::from_chars(buffer.data(), end, value, std::chars_format::scientific);
    if (converted.ec == std::errc::result_out_of_range) {
        // Reported alike for a value too large and one that rounds to 0; the magnitude tells them apart.
        if (magnitude > 0) raise(ErrorCode::Overflow);
        return zero;
    }
#endif
    return negative ? -value : value;
}

std::string textFromDouble(double value) { return textFromFloating(value); }

std::string textFromSingle(float value) { return textFromFloating(value); }

std::string textFromInt16(std::int16_t value) { return std::to_string(value); }

std::string textFromVariant(const Variant& value) {
    return std::visit(Overloaded{
                          [](Empty) { return std::string(); },
                          [](std::int16_t v) { return textFromInt16(v); },
                          [](float v) { return textFromSingle(v); },
                          [](double v) { return textFromDouble(v); },
                      },
                      value);
}

std::int16_t int16FromDouble(double value) {
    if (!std::isfinite(value)) raise(ErrorCode::Overflow);
    // Rounded on the magnitude so that ties go to even alike for both signs; the fraction is
    // exact (Sterbenz) and no step depends on the current rounding mode.
    const double magnitude = std::fabs(value);
    if (magnitude >= 65536.0) raise(ErrorCode::Overflow);
    const double whole = std::floor(magnitude);
    const double fraction = magnitude - whole;
    const int wholeInt = static_cast<int>(whole);
    int rounded = wholeInt;
    if (fraction > 0.5 || (fraction == 0.5 && (wholeInt & 1) != 0)) ++rounded;
    if (std::signbit(value)) rounded = -rounded;
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        raise(ErrorCode::Overflow);
    }
    return static_cast<std::int16_t>(rounded);
}

std::int16_t int16FromVariant(const Variant& value) {
    if (const auto* number = std::get_if<std::int16_t>(&value)) return *number;
    return int16FromDouble(doubleFromVariant(value));
}

float singleFromVariant(const Variant& value) {
    if (const auto* number = std::get_if<float>(&value)) {
        if (std::isinf(*number)) raise(ErrorCode::Overflow);
        return *number;
    }
    const double number = doubleFromVariant(value);
    if (std::isnan(number)) return std::numeric_limits<float>::quiet_NaN();
    // The largest Single plus half its last place: the tie between it and 2^128 goes to the
    // even 2^128, i.e. to infinity, so this and everything above overflows.
    constexpr double overflowLimit = 0x1.ffffffp+127;
    if (!(std::fabs(number) < overflowLimit)) raise(ErrorCode::Overflow);
    return static_cast<float>(number);
}

double doubleFromVariant(const Variant& value) {
    return std::visit(Overloaded{
                          [](Empty) { return 0.0; },
                          [](std::int16_t v) { return static_cast<double>(v); },
                          [](float v) { return static_cast<double>(v); },
                          [](double v) { return v; },
                      },
                      value);
}

Variant variantAdd(const Variant& left, const Variant& right) { return combine<false>(left, right); }

Variant variantSub(const Variant& left, const Variant& right) { return combine<true>(left, right); }

bool variantGreater(const Variant& left, const Variant& right) {
    // Quiet comparison: a NaN operand gives false without raising the invalid flag.
    return std::isgreater(doubleFromVariant(left), doubleFromVariant(right));
}

double powerDouble(double base, double exponent) {
    // Quiet comparisons, so a NaN operand passes through to pow without raising a flag here.
    if (std::isless(base, 0.0) && std::islessgreater(std::trunc(exponent), exponent)) raise(ErrorCode::InvalidProcedureCall);
    if (base == 0.0 && std::isless(exponent, 0.0)) raise(ErrorCode::InvalidProcedureCall);
    const double result =
        std::isfinite(base) && std::isfinite(exponent) ? samePower(base, exponent) : std::pow(base, exponent);
    detail::notePowerStatus(base, exponent, result);
    return result;
}

std::string concatText(std::string_view left, std::string_view right) {
    std::string out;
    out.reserve(left.size() + right.size());
    out.append(left);
    out.append(right);
    return out;
}

Color colorFromRgb(int red, int green, int blue) {
    const auto inRange = [](int component) { return component >= 0 && component <= 255; };
    if (!inRange(red) || !inRange(green) || !inRange(blue)) raise(ErrorCode::InvalidProcedureCall);
    return static_cast<Color>(red) | (static_cast<Color>(green) << 8) | (static_cast<Color>(blue) << 16);
}

}  // namespace forms
