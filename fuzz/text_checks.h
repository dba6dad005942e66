// Checks shared by the fuzz targets: the shape of a number's text and its round trip through
// numberFromText. A failed check prints what it saw and aborts, which libFuzzer reports as a
// crash and keeps as a reproducer.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>

#include "float_status.h"
#include "runtime_error.h"
#include "value.h"

namespace fuzzing {

[[noreturn]] inline void fail(const char* what, std::string_view text, double value) {
    std::fprintf(stderr, "FAULT: %s\n  text: \"%.*s\"\n  value: %.17g (%a)\n", what, static_cast<int>(text.size()),
                 text.data(), value, value);
    std::abort();
}

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The decimal digits a text shows and where the point stands: value = 0.<digits> * 10^place,
// with no leading or trailing zero in `digits`.
struct ShownDigits {
    std::string digits;
    int place = 0;
};

// Exact conversion by the C library, used as the reference: correctly rounded, any length.
template <class F>
F libraryRead(const std::string& text) {
    if constexpr (std::is_same_v<F, float>) {
        return std::strtof(text.c_str(), nullptr);
    } else {
        return std::strtod(text.c_str(), nullptr);
    }
}

template <class F>
bool sameValue(F a, F b) {
    return std::signbit(a) == std::signbit(b) && (a == b || (std::isnan(a) && std::isnan(b)));
}

// The text of a finite nonzero value must be either plain ("123.45", "0.00012", "-7") for a
// shown decimal exponent in -5..14, or "d.dddE+XX" otherwise; no superfluous zero anywhere.
// Returns the digits shown.
template <class F>
ShownDigits checkShape(std::string_view text, F value) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) ++i;
    if (negative != std::signbit(value)) fail("sign shown wrongly", text, value);

    std::string all;  // every digit of the mantissa, in order
    int integerDigits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++integerDigits) all.push_back(text[i]);
    if (integerDigits == 0) fail("no digit before the point", text, value);
    if (integerDigits > 1 && text[i - static_cast<std::size_t>(integerDigits)] == '0') {
        fail("leading zero", text, value);
    }
    bool fraction = false;
    if (i < text.size() && text[i] == '.') {
        fraction = true;
        const std::size_t start = ++i;
        for (; i < text.size() && isDigit(text[i]); ++i) all.push_back(text[i]);
        if (i == start) fail("point without digits", text, value);
        if (text[i - 1] == '0') fail("trailing zero after the point", text, value);
    }

    int exponent = 0;
    const bool scientific = i < text.size() && text[i] == 'E';
    if (scientific) {
        if (integerDigits != 1 || all[0] == '0') fail("mantissa not d.ddd", text, value);
        ++i;
        if (i >= text.size() || (text[i] != '+' && text[i] != '-')) fail("exponent without sign", text, value);
        const bool negativeExponent = text[i++] == '-';
        const std::size_t start = i;
        for (; i < text.size() && isDigit(text[i]); ++i) exponent = exponent * 10 + (text[i] - '0');
        const std::size_t count = i - start;
        if (count < 2) fail("exponent with fewer than two digits", text, value);
        if (count > 2 && text[start] == '0') fail("exponent with a superfluous zero", text, value);
        if (negativeExponent) exponent = -exponent;
    }
    if (i != text.size()) fail("unexpected character", text, value);

    ShownDigits shown;
    std::size_t first = 0;
    while (first < all.size() && all[first] == '0') ++first;
    if (first == all.size()) fail("nonzero value shown as zero", text, value);
    std::size_t last = all.size();
    while (all[last - 1] == '0') --last;
    shown.digits = all.substr(first, last - first);
    shown.place = integerDigits - static_cast<int>(first) + exponent;

    const int decimalExponent = shown.place - 1;  // the exponent of d.ddd
    const bool plainRange = decimalExponent >= -5 && decimalExponent < 15;
    if (scientific == plainRange) fail(scientific ? "plain-range value in E notation" : "E-range value in plain notation", text, value);
    if (!scientific && !fraction && integerDigits > 1 && all[0] == '0') fail("leading zero", text, value);
    return shown;
}

// No text with one digit fewer reads back to the value: of the decimals with one digit fewer,
// the two around the value are the only candidates, the shown digits cut off and that plus one
// in the last place.
template <class F>
void checkShortest(const ShownDigits& shown, std::string_view text, F value) {
    const std::size_t count = shown.digits.size();
    if (count > (std::is_same_v<F, float> ? 9u : 17u)) fail("more digits than the type needs", text, value);
    if (count < 2) return;
    std::string down = shown.digits.substr(0, count - 1);
    std::string up = down;
    std::size_t position = up.size();
    int place = shown.place;
    while (position > 0 && up[position - 1] == '9') up[--position] = '0';
    if (position == 0) {
        up.insert(up.begin(), '1');
        ++place;
    } else {
        ++up[position - 1];
    }
    const char* sign = std::signbit(value) ? "-" : "";
    const F fromDown = libraryRead<F>(sign + ("0." + down + "e" + std::to_string(shown.place)));
    const F fromUp = libraryRead<F>(sign + ("0." + up + "e" + std::to_string(place)));
    if (fromDown == value || fromUp == value) fail("a shorter text reads back to the same value", text, value);
}

// What numberFromText gives for the text of `value`, narrowed back to the value's type; a
// run-time error there is a fault, since every shown number is in range.
template <class F>
F readBack(const std::string& text, F value) {
    double read = 0;
    try {
        read = forms::numberFromText(text);
    } catch (const forms::RuntimeError& error) {
        fail(error.what(), text, value);
    }
    if constexpr (std::is_same_v<F, float>) {
        return forms::narrowToSingle(read);
    } else {
        return read;
    }
}

// The full check of the text shown for one value.
template <class F>
void checkText(const std::string& text, F value) {
    if (std::isnan(value)) {
        if (text != "NaN") fail("NaN shown wrongly", text, value);
        if (readBack(text, value) != 0) fail("NaN text does not read as 0", text, value);
        return;
    }
    if (std::isinf(value)) {
        if (text != (value > 0 ? "Infinity" : "-Infinity")) fail("infinity shown wrongly", text, value);
        if (readBack(text, value) != 0) fail("infinity text does not read as 0", text, value);
        return;
    }
    if (value == 0) {
        if (text != "0") fail("zero shown wrongly", text, value);
        if (readBack(text, value) != 0) fail("zero text does not read as 0", text, value);
        return;
    }
    const ShownDigits shown = checkShape(text, value);
    checkShortest(shown, text, value);
    if (!sameValue(readBack(text, value), value)) fail("text does not read back to the same value", text, value);
    // The C library reads the same digits to the same value: the digits are right, not just
    // consistent with our own reader.
    if (!sameValue(libraryRead<F>(text), value)) fail("the C library reads the text differently", text, value);
}

}  // namespace fuzzing
