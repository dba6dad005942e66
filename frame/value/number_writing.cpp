// Writing numbers: the shortest text that reads back to the same value. Locale-independent: the
// application sets the user's locale, which must not change how numbers are shown.
#include "value.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string_view>

// The browser's C++ library has no floating-point to_chars: fmt's shortest round-trip
// formatting, exact, takes its place there.
#if defined(__EMSCRIPTEN__)
#include <fmt/compile.h>
#include <fmt/format.h>
#define FORMS_NUMBER_TEXT_LIBRARIES 1
#endif

namespace forms {
namespace {

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
        if (*p != '.') out.digits[static_cast<std::size_t>(out.count++)] = *p;
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

}  // namespace

std::string textFromDouble(double value) { return textFromFloating(value); }

std::string textFromSingle(float value) { return textFromFloating(value); }

std::string textFromInt16(std::int16_t value) { return std::to_string(value); }

}  // namespace forms
