// The differential driver: reads cases from standard input, one a line (differential_format.h),
// and writes one line of results for each, through the value layer as the programs' handlers use
// it. The same source is built for Linux, for Windows and for the browser (under node, with its
// own arithmetic rewritten by cmake/float-arithmetic as a program's is), and fuzz/differential
// compares the outputs line by line: any difference is a platform giving a user another answer.
//
// Each step starts from a clear floating-point status, as a handler does after a control call,
// and writes one token NAME=RESULT: the text the program would show, "T"/"F" for a comparison,
// or "#N" for the run-time error N that the step raises, a floating-point check after it
// included (#4 when the check would find the invalid, division-by-zero or overflow flag set).
//
// Cases:
//   N|text            a text read as a number, then shown, narrowed and rounded as the programs do
//   P|text|text       two texts read as A and B, then every operation on the pair
//   D|bits|bits       two Doubles by bit pattern (16 hex digits): the steps of N and P on them
//   S|bits|bits       two Singles by bit pattern (8 hex digits): Single text and variant arithmetic
//   T|text|text|text  triexpr's three answers: its arithmetic and its logical expression
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "differential_format.h"
#include "float_status.h"
#include "runtime_error.h"
#include "value.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

namespace {

using forms::Variant;

class ResultLine {
public:
    // Runs one step from a clear status; `step` returns the text shown.
    template <class Step>
    void add(std::string_view name, Step step) {
        forms::clearFloatStatus();
        if (!text_.empty()) text_.push_back(' ');
        text_ += name;
        text_.push_back('=');
        try {
            text_ += step();
        } catch (const forms::RuntimeError& error) {
            text_ += '#';
            text_ += std::to_string(static_cast<int>(error.code()));
        }
    }
    void addRaw(std::string_view token) {
        if (!text_.empty()) text_.push_back(' ');
        text_ += token;
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

std::string truth(bool value) { return value ? "T" : "F"; }

template <class Bits>
Bits parseBits(std::string_view field) {
    Bits bits = 0;
    for (const char c : field) bits = static_cast<Bits>((bits << 4) | static_cast<Bits>(differential::hexDigit(c) & 0xF));
    return bits;
}

double doubleFromBits(std::string_view field) {
    const auto bits = parseBits<std::uint64_t>(field);
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

float singleFromBits(std::string_view field) {
    const auto bits = parseBits<std::uint32_t>(field);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A number as a program reads it from a text box; a check after it would see what the reading
// raised.
double readNumber(const std::string& text) {
    const double value = forms::numberFromText(text);
    forms::checkFloatStatus(value);
    return value;
}

// One Double on its own: shown, narrowed (plainly and with the range check), rounded to 16 bits,
// and trisum's N(N+1)/2.
void operandSteps(ResultLine& line, double x) {
    line.add("text", [&] { return forms::textFromDouble(x); });
    line.add("variant", [&] { return forms::textFromVariant(Variant{x}); });
    line.add("narrow", [&] {
        const float single = forms::narrowToSingle(x);
        forms::checkFloatStatus(single);
        return forms::textFromSingle(single);
    });
    line.add("single", [&] {
        const float single = forms::singleFromVariant(Variant{x});
        forms::checkFloatStatus(single);
        return forms::textFromSingle(single);
    });
    line.add("int16", [&] { return forms::textFromInt16(forms::int16FromDouble(x)); });
    line.add("int16v", [&] { return forms::textFromInt16(forms::int16FromVariant(Variant{x})); });
    line.add("trisum", [&] {
        const float single = forms::narrowToSingle(x);
        // The program's setFocus call between the narrowing and the arithmetic clears the status.
        forms::clearFloatStatus();
        if (!(single > 0)) return std::string("-");
        const double n = single;
        const double sum = n + 1;
        const double half = sum / 2;
        const double product = half * n;
        forms::checkFloatStatus(sum, half, product);
        return forms::textFromInt16(forms::int16FromDouble(product));
    });
}

// A and B held in variants, as sumdiff, condsum and switchcalc hold them, and the plain Double
// arithmetic and comparisons of the other programs.
// The variant sum, difference and comparison of two values, each checked as the programs check.
void variantSteps(ResultLine& line, const Variant& left, const Variant& right) {
    line.add("add", [&] {
        const Variant sum = forms::variantAdd(left, right);
        forms::checkFloatStatus();
        return forms::textFromVariant(sum);
    });
    line.add("sub", [&] {
        const Variant difference = forms::variantSub(left, right);
        forms::checkFloatStatus();
        return forms::textFromVariant(difference);
    });
    line.add("greater", [&] {
        const bool greater = forms::variantGreater(left, right);
        forms::checkFloatStatus(greater);
        return truth(greater);
    });
}

void pairSteps(ResultLine& line, double a, double b) {
    const Variant left{a};
    const Variant right{b};
    variantSteps(line, left, right);
    line.add("sumdiff+", [&] { return forms::textFromSingle(forms::singleFromVariant(forms::variantAdd(left, right))); });
    line.add("sumdiff-", [&] { return forms::textFromSingle(forms::singleFromVariant(forms::variantSub(left, right))); });
    line.add("int16+", [&] { return forms::textFromInt16(forms::int16FromVariant(forms::variantAdd(left, right))); });
    line.add("int16-", [&] { return forms::textFromInt16(forms::int16FromVariant(forms::variantSub(left, right))); });
    line.add("mul", [&] {
        const double product = a * b;
        forms::checkFloatStatus(product);
        return forms::textFromDouble(product);
    });
    line.add("div", [&] {
        const double quotient = a / b;
        forms::checkFloatStatus(quotient);
        return forms::textFromDouble(quotient);
    });
    line.add("pow", [&] {
        const double power = forms::powerDouble(a, b);
        forms::checkFloatStatus(power);
        return forms::textFromDouble(power);
    });
    line.add("less", [&] {
        const bool less = a < b;
        forms::checkFloatStatus(less);
        return truth(less);
    });
    line.add("equal", [&] {
        const bool equal = a == b;
        forms::checkFloatStatus(equal);
        return truth(equal);
    });
}

void numberCase(ResultLine& line, const std::string& text) {
    double x = 0;
    line.add("read", [&] {
        x = readNumber(text);
        return forms::textFromDouble(x);
    });
    if (line.text().find('#') != std::string::npos) return;  // no number to go on with
    operandSteps(line, x);
}

void pairCase(ResultLine& line, const std::string& textA, const std::string& textB) {
    double a = 0;
    double b = 0;
    line.add("a", [&] {
        a = readNumber(textA);
        return forms::textFromDouble(a);
    });
    line.add("b", [&] {
        b = readNumber(textB);
        return forms::textFromDouble(b);
    });
    const bool bothRead = line.text().find('#') == std::string::npos;
    // addreveal: A with its range check, then (after the read of Text2 cleared the status) B
    // narrowed plainly and the Single sum checked.
    line.add("addreveal", [&] {
        const float singleA = forms::singleFromVariant(forms::numberFromText(textA));
        forms::clearFloatStatus();
        const float singleB = forms::narrowToSingle(forms::numberFromText(textB));
        const float sum = singleB + singleA;
        forms::checkFloatStatus(sum);
        return forms::textFromVariant(Variant{sum});
    });
    if (bothRead) pairSteps(line, a, b);
}

void singleCase(ResultLine& line, float a, float b) {
    const Variant left{a};
    const Variant right{b};
    line.add("text", [&] { return forms::textFromSingle(a); });
    line.add("variant", [&] { return forms::textFromVariant(left); });
    line.add("single", [&] {
        const float single = forms::singleFromVariant(left);
        forms::checkFloatStatus(single);
        return forms::textFromSingle(single);
    });
    line.add("int16v", [&] { return forms::textFromInt16(forms::int16FromVariant(left)); });
    variantSteps(line, left, right);
    line.add("above", [&] {
        const bool above = a > b;
        forms::checkFloatStatus(above);
        return truth(above);
    });
}

// triexpr: the arithmetic path narrows the three answers plainly and checks only after the
// square and the half product (a dialog keeps the status); the logical path narrows each with
// its range check and makes no floating-point check at all.
void triexprCase(ResultLine& line, const std::string& textA, const std::string& textB, const std::string& textC) {
    line.add("arithmetic", [&] {
        const float a = forms::narrowToSingle(forms::numberFromText(textA));
        const float b = forms::narrowToSingle(forms::numberFromText(textB));
        const float c = forms::narrowToSingle(forms::numberFromText(textC));
        const double square = forms::powerDouble(static_cast<double>(a), 2);
        const double halfProduct = static_cast<double>(b) * static_cast<double>(c) / 2;
        forms::checkFloatStatus(square, halfProduct);
        const double sum = square + halfProduct;
        forms::checkFloatStatus(sum);
        return forms::textFromDouble(sum);
    });
    line.add("logical", [&] {
        const float a = forms::singleFromVariant(forms::numberFromText(textA));
        const float b = forms::singleFromVariant(forms::numberFromText(textB));
        const float c = forms::singleFromVariant(forms::numberFromText(textC));
        return truth(a > b && b > c);
    });
}

std::string runCase(std::string_view caseLine) {
    const std::vector<std::string_view> fields = differential::splitFields(caseLine);
    const auto text = [&](std::size_t i) { return differential::unescape(i < fields.size() ? fields[i] : ""); };
    const std::string_view field1 = fields.size() > 1 ? fields[1] : "";
    const std::string_view field2 = fields.size() > 2 ? fields[2] : "";
    ResultLine line;
    switch (fields[0].empty() ? '?' : fields[0][0]) {
        case 'N': numberCase(line, text(1)); break;
        case 'P': pairCase(line, text(1), text(2)); break;
        case 'D': {
            const double a = doubleFromBits(field1);
            operandSteps(line, a);
            pairSteps(line, a, doubleFromBits(field2));
            break;
        }
        case 'S': singleCase(line, singleFromBits(field1), singleFromBits(field2)); break;
        case 'T': triexprCase(line, text(1), text(2), text(3)); break;
        default: line.addRaw("unknown-case"); break;
    }
    return line.text();
}

}  // namespace

int main() {
#if defined(_WIN32)
    // Bytes in and out as they are: no CR LF in place of LF, no end at a byte 0x1A.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    std::string caseLine;
    std::string out;
    while (std::getline(std::cin, caseLine)) {
        if (!caseLine.empty() && caseLine.back() == '\r') caseLine.pop_back();
        out += runCase(caseLine);
        out.push_back('\n');
        if (out.size() > (1u << 16)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
    return 0;
}
