// Reading numbers: text to Double. Locale-independent: the application sets the user's locale,
// which must not change how numbers are read.
#include "value.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <system_error>

#include "runtime_error.h"
#include "utf16.h"

// The browser's C++ library has no floating-point from_chars: fast_float's reading, exact, takes
// its place there.
#if defined(__EMSCRIPTEN__)
#include <fast_float/fast_float.h>
#define FORMS_NUMBER_TEXT_LIBRARIES 1
#endif

namespace forms {
namespace {

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

}  // namespace forms
