// Fuzzes numberFromText against a reference reader: the longest leading number of the text is
// found by a plain scan of the grammar and converted by the C library, which rounds exactly for
// any number of digits. Both must agree on the value (sign of zero included) or both report
// overflow. Every value read is then shown again and checked as in the round-trip targets.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text_checks.h"

namespace {

bool isSeparator(char c) { return c == '.' || c == ','; }

// The blanks spelled out as their UTF-8 bytes: Unicode white space and the invisible format
// marks. Matching bytes here, rather than decoding code points, keeps the reference independent.
std::vector<std::string> blankSpellings() {
    std::vector<std::string> spellings = {"\t", "\n", "\v", "\f", "\r", " ", "\u0085", "\u00A0",
                                          "\u061C", "\u1680", "\u2028", "\u2029", "\u202A", "\u202B",
                                          "\u202C", "\u202D", "\u202E", "\u202F", "\u205F", "\u2060",
                                          "\u2066", "\u2067", "\u2068", "\u2069", "\u3000", "\uFEFF"};
    for (char last = '\x80'; last != '\x90'; ++last) spellings.push_back(std::string("\xE2\x80") + last);  // U+2000-200F
    return spellings;
}

// The length of the blank that starts text at i, or 0.
std::size_t blankAt(std::string_view text, std::size_t i) {
    static const std::vector<std::string> spellings = blankSpellings();
    for (const std::string& blank : spellings) {
        if (text.substr(i).starts_with(blank)) return blank.size();
    }
    return 0;
}

struct Expected {
    bool overflow = false;
    double value = 0;
};

// Texts longer than this are only checked for crashes and run time: the C library's reader is
// not meant for megabytes of digits.
constexpr std::size_t ReferenceLimit = 20000;

Expected reference(std::string_view text) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && blankAt(text, i) > 0) i += blankAt(text, i);
    std::string number;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        number.push_back(text[i++]);
    } else if (text.substr(i).starts_with("\u2212")) {
        number.push_back('-');
        i += 3;
    }
    const std::size_t integerStart = i;
    while (i < n && fuzzing::isDigit(text[i])) number.push_back(text[i++]);
    const bool integerDigits = i > integerStart;
    bool fractionDigits = false;
    if (i < n && isSeparator(text[i])) {
        std::size_t j = i + 1;
        std::string fraction;
        while (j < n && fuzzing::isDigit(text[j])) fraction.push_back(text[j++]);
        if (integerDigits || !fraction.empty()) {
            number += '.';
            number += fraction;
            fractionDigits = !fraction.empty();
            i = j;
        }
    }
    if (!integerDigits && !fractionDigits) return {};
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < n && (text[j] == '+' || text[j] == '-')) exponent.push_back(text[j++]);
        const std::size_t digitsStart = j;
        while (j < n && fuzzing::isDigit(text[j])) exponent.push_back(text[j++]);
        if (j > digitsStart) number += exponent;
    }
    const double value = fuzzing::libraryRead<double>(number);
    if (std::isinf(value)) return {true, 0};
    return {false, value};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    double value = 0;
    bool overflow = false;
    try {
        value = forms::numberFromText(text);
    } catch (const forms::RuntimeError& error) {
        if (error.code() != forms::ErrorCode::Overflow) fuzzing::fail("error other than overflow", text, 0);
        overflow = true;
    }
    if (!overflow && !std::isfinite(value)) fuzzing::fail("a value that is not finite", text, value);

    if (size <= ReferenceLimit) {
        const Expected expected = reference(text);
        if (overflow != expected.overflow) {
            fuzzing::fail(overflow ? "overflow where the C library reads a finite value"
                                   : "no overflow where the C library reads an infinity",
                          text, value);
        }
        if (!overflow && !fuzzing::sameValue(value, expected.value)) {
            fuzzing::fail("value differs from the C library's", text, expected.value);
        }
    }
    if (overflow) return 0;

    const std::string shown = forms::textFromDouble(value);
    fuzzing::checkText(shown, value);
    if (forms::textFromVariant(forms::Variant{value}) != shown) fuzzing::fail("variant text differs", shown, value);
    const float single = forms::narrowToSingle(value);
    fuzzing::checkText(forms::textFromSingle(single), single);
    return 0;
}
