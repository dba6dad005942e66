// Variants: conversions between their types, their arithmetic and comparison; and the small
// operations on text and colours.
#include "value.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "float_status.h"
#include "runtime_error.h"

namespace forms {
namespace {

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

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

}  // namespace

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
