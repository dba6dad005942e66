// The differential check's cases: `differential_cases SEED COUNT` writes COUNT case lines
// (differential_format.h) for the driver, the same lines for the same seed. It runs on the build
// machine only (x86-64 Linux), so it may use the 80-bit long double to spell exact halfway points.
//
// The texts are biased to what breaks conversions: signs of every spelling, both separators,
// exponents at the limits of Double and Single, long digit strings (beyond the reader's kept
// digits), blanks of every kind and near-blanks, garbage tails, halves for the rounding to
// 16 bits, subnormals, and the neighbours of 32767.5, 3.4E38 and 1.8E308 written with every
// digit. The bit patterns favour the same places: zeros, infinities, NaNs (signaling ones too),
// subnormals, the range limits and the halves.
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "differential_format.h"

namespace {

// splitmix64: small, fast, the same sequence for a seed on every build.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    // 0 <= result < bound
    unsigned below(unsigned bound) { return static_cast<unsigned>(next() % bound); }
    bool chance(unsigned percent) { return below(100) < percent; }
    template <std::size_t N>
    const char* pick(const char* const (&choices)[N]) {
        return choices[below(N)];
    }

private:
    std::uint64_t state_;
};

// Whole texts and number bodies that sit on an edge.
constexpr const char* EdgeNumbers[] = {
    "0", "-0", "0.5", "1.5", "2.5", "-0.5", "-2.5", "0.49999999999999994", "32767", "32767.5",
    "32767.499999999996", "32767.500000000004", "32768", "-32768", "-32768.5", "-32768.500000000004",
    "-32767.5", "32766.5", "65535.5", "65536", "-65536", "65535.99999999999",
    "3.4028234663852886E38", "3.4028235E38", "3.40282356779733661637539395458142568448E38",
    "3.4028235677973366E38", "3.4028235677973362E38", "3.402823567797337E38", "3.4028236E38",
    "-3.4028235677973366E38", "1.7976931348623157E308", "1.7976931348623158E308",
    "1.797693134862315807937289714053034150799341327710315805E308", "1.7976931348623159E308",
    "1.797693134862315708145274237317043567981E308", "-1.7976931348623157E308", "1.8E308",
    "4.9406564584124654E-324", "2.4703282292062327E-324", "2.4703282292062328E-324",
    "2.470328229206232720882778E-324", "2.2250738585072014E-308", "2.2250738585072011E-308",
    "2.2250738585072012E-308", "1.1754943508222875E-38", "1.401298464324817E-45",
    "7.006492321624085E-46", "7.006492321624086E-46", "1E15", "999999999999999.9", "1E-5",
    "9.99999E-6", "0.00001", "123456789012345678", "9007199254740993", "0.1", "0.3", "1E308",
    "1E309", "1E-324", "1E-323", "1E38", "1E39", "1E-45", "1E-46",
};

// Blanks of every kind the reader skips, and characters close to them that it must not skip.
constexpr const char* Blanks[] = {
    " ", "\t", "\n", "\r", "\v", "\f", "\u0085", "\u00A0", "\u061C", "\u1680", "\u2000", "\u2007",
    "\u200B", "\u200E", "\u200F", "\u2028", "\u2029", "\u202A", "\u202E", "\u202F", "\u205F",
    "\u2060", "\u2066", "\u2069", "\u3000", "\uFEFF",
};
constexpr const char* NearBlanks[] = {"\u00AD", "\u180E", "\u2010", "\u2030", "\u205E", "\u2061", "\u206A",
                                      "\uFEFE", "\u3001", "\x80", "\xE2\x80", "\xEF\xBB", "\xC2", "\0"};
constexpr const char* Signs[] = {"+", "-", "\u2212", "--", "+-", "-+", "\u2212-", "\u2013", "\u2012"};
constexpr const char* Tails[] = {
    "abc", "e", "E", "E+", "e-", ".", ",", "..", ".,", "x", "\u0661", "\uFF11", "5", " 5", "E5", "e+5",
    "%", "$", "+", "-", "\u2212", "1E400", ".5", ",5", "d5", "\xFF", "\xC3", "E\u2212" "5",
};
constexpr const char* ExponentDigits[] = {
    "308", "309", "307", "310", "324", "323", "325", "326", "38", "39", "45", "46", "0", "00308",
    "0000000000000000000309", "99999999999999999999999", "1000000000000", "4294967296", "2147483648", "15",
    "16", "14", "5", "6",
};

void appendDigits(Random& random, std::string& out, unsigned count) {
    for (unsigned i = 0; i < count; ++i) out.push_back(static_cast<char>('0' + random.below(10)));
}

unsigned digitCount(Random& random) {
    const unsigned kind = random.below(100);
    if (kind < 60) return random.below(6);
    if (kind < 85) return random.below(25);
    if (kind < 95) return random.below(120);
    return 760 + random.below(80);  // around the reader's 800 kept digits
}

// The exact decimal expansion of a value of the build machine's long double, in E notation.
std::string exactText(long double value) {
    char text[1200];
    std::snprintf(text, sizeof text, "%.800Le", value);
    std::string out = text;
    // Trailing zeros of the mantissa off, so the digits end where the value's digits end.
    const std::size_t e = out.find('e');
    std::size_t end = e;
    while (end > 0 && out[end - 1] == '0') --end;
    if (out[end - 1] == '.') --end;
    return out.substr(0, end) + "E" + out.substr(e + 1);
}

double randomDouble(Random& random);

// A Double or Single, or the point halfway to its upper neighbour, written with all its digits;
// sometimes with the last digit cut off or a far nonzero digit added, just below and above.
std::string exactNumber(Random& random) {
    long double value = 0;
    if (random.chance(50)) {
        const double x = std::fabs(randomDouble(random));
        if (!std::isfinite(x)) return "1";
        const double up = std::nextafter(x, std::numeric_limits<double>::infinity());
        value = random.chance(70) && std::isfinite(up) ? (static_cast<long double>(x) + up) / 2 : x;
    } else {
        std::uint32_t bits = static_cast<std::uint32_t>(random.next()) & 0x7FFFFFFFu;
        if (random.chance(30)) bits = 0x7F7FFFFFu - random.below(3);   // the largest Singles
        if (random.chance(20)) bits = random.below(4);                 // the smallest
        float x = 0;
        std::memcpy(&x, &bits, sizeof x);
        if (!std::isfinite(x)) return "2";
        const float up = std::nextafter(x, std::numeric_limits<float>::infinity());
        value = random.chance(70) ? (static_cast<long double>(x) + static_cast<long double>(up)) / 2 : x;
    }
    std::string text = exactText(value);
    const std::size_t e = text.find('E');
    switch (random.below(4)) {
        case 0:
            if (e > 2) text.erase(e - 1, 1);  // just below
            break;
        case 1: text.insert(e, std::string(random.below(40), '0') + "1"); break;  // just above
        default: break;
    }
    return text;
}

std::string numberBody(Random& random) {
    const unsigned kind = random.below(100);
    if (kind < 25) return EdgeNumbers[random.below(std::size(EdgeNumbers))];
    if (kind < 45) return exactNumber(random);
    std::string out;
    if (random.chance(15)) out.append(random.below(30), '0');
    appendDigits(random, out, digitCount(random));
    if (random.chance(60)) {
        out.push_back(random.chance(50) ? '.' : ',');
        if (random.chance(20)) out.append(random.below(30), '0');
        appendDigits(random, out, digitCount(random));
        if (random.chance(15)) out.push_back('5');  // a half, somewhere
    }
    if (random.chance(45)) {
        out.push_back(random.chance(50) ? 'E' : 'e');
        if (random.chance(60)) out.push_back(random.chance(50) ? '-' : '+');
        if (random.chance(60)) {
            out += ExponentDigits[random.below(std::size(ExponentDigits))];
        } else {
            appendDigits(random, out, random.below(4));
        }
    }
    return out;
}

void appendBlanks(Random& random, std::string& out) {
    const unsigned count = random.below(4);
    for (unsigned i = 0; i < count; ++i) {
        if (random.chance(85)) {
            out += Blanks[random.below(std::size(Blanks))];
        } else {
            const char* nearBlank = NearBlanks[random.below(std::size(NearBlanks))];
            out.append(nearBlank, *nearBlank ? std::strlen(nearBlank) : 1);
        }
    }
}

std::string numberText(Random& random) {
    if (random.chance(3)) {  // any bytes at all
        std::string out;
        const unsigned length = random.below(12);
        for (unsigned i = 0; i < length; ++i) out.push_back(static_cast<char>(random.below(256)));
        return out;
    }
    std::string out;
    if (random.chance(40)) appendBlanks(random, out);
    if (random.chance(40)) out += Signs[random.below(std::size(Signs))];
    if (random.chance(5)) appendBlanks(random, out);
    if (random.chance(97)) out += numberBody(random);
    if (random.chance(25)) out += Tails[random.below(std::size(Tails))];
    if (random.chance(30)) appendBlanks(random, out);
    return out;
}

double fromBits(std::uint64_t bits) {
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A Double by bit pattern, mostly near a place where something changes. Its NaNs are quiet ones:
// no value a program holds is ever a signaling NaN (a text reads as no NaN at all, and the
// arithmetic makes quiet ones), and what a signaling one raises in the value layer's own
// checks is the compiler's choice of instructions, not an answer a user could meet.
double anyDouble(Random& random);

double randomDouble(Random& random) {
    const double value = anyDouble(random);
    if (!std::isnan(value)) return value;
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return fromBits(bits | 0x0008000000000000u);
}

double anyDouble(Random& random) {
    const std::uint64_t bits = random.next();
    const std::uint64_t sign = bits & 0x8000000000000000u;
    const std::uint64_t mantissa = bits & 0x000FFFFFFFFFFFFFu;
    const unsigned kind = random.below(100);
    if (kind < 20) return fromBits(bits);                                      // anything
    if (kind < 30) return fromBits(sign | (mantissa >> random.below(53)));     // subnormals and 0
    if (kind < 36) return fromBits(sign | 0x7FF0000000000000u | (mantissa >> random.below(53)));  // inf, NaNs
    if (kind < 46) return fromBits(sign | (static_cast<std::uint64_t>(2046 - random.below(4)) << 52) | mantissa);
    if (kind < 58) {  // around the Single range's end
        const std::uint64_t limit = 0x47EFFFFFF0000000u;  // 0x1.ffffffp+127, the Single overflow tie
        return fromBits(sign | (limit + random.below(9) - 4));
    }
    if (kind < 74) {  // halves and their neighbours in the 16-bit range and around it
        const double half = static_cast<double>(random.below(70000)) + 0.5;
        const double value = sign ? -half : half;
        const unsigned step = random.below(3);
        return step == 0 ? value : std::nextafter(value, step == 1 ? 0.0 : value * 2);
    }
    if (kind < 84) {  // the edges of the 16-bit range
        constexpr double edges[] = {32767.5, -32768.5, 32768.0, -32769.0, 65536.0, -65536.0, 32767.0, -32768.0};
        double value = edges[random.below(std::size(edges))];
        for (unsigned i = random.below(3); i > 0; --i) value = std::nextafter(value, random.chance(50) ? 0.0 : value * 2);
        return value;
    }
    // Ordinary sizes: exponents from 2^-40 to 2^60.
    return fromBits(sign | (static_cast<std::uint64_t>(1023 - 40 + random.below(100)) << 52) | mantissa);
}

float randomSingle(Random& random) {
    if (random.chance(50)) {
        const auto bits = static_cast<std::uint32_t>(random.next());
        const std::uint32_t sign = bits & 0x80000000u;
        std::uint32_t pattern = bits;
        switch (random.below(4)) {
            case 0: pattern = sign | ((bits & 0x7FFFFFu) >> random.below(24)); break;                 // subnormals
            case 1: pattern = sign | 0x7F800000u | ((bits & 0x7FFFFFu) >> random.below(24)); break;   // inf, NaNs
            case 2: pattern = sign | (0x7F7FFFFFu - random.below(4)); break;                          // the largest
            default: break;
        }
        if ((pattern & 0x7F800000u) == 0x7F800000u && (pattern & 0x7FFFFFu) != 0) pattern |= 0x400000u;  // quiet
        float value = 0;
        std::memcpy(&value, &pattern, sizeof value);
        return value;
    }
    return static_cast<float>(randomDouble(random));
}

std::string hexBits(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char text[24];
    std::snprintf(text, sizeof text, "%016" PRIX64, bits);
    return text;
}

std::string hexBits(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char text[16];
    std::snprintf(text, sizeof text, "%08" PRIX32, bits);
    return text;
}

// The second text of a pair: often made from the first, so that sums cancel, overflow or
// make a NaN (1E308 + 1E308, x - x, 0 / 0, a negative base to a fraction, 0 to a negative power).
std::string secondText(Random& random, const std::string& first) {
    switch (random.below(10)) {
        case 0: return first;
        case 1: return "-" + first;
        case 2: return random.pick({"0", "-0", "0.5", "-0.5", "2", "-1", "1E308", "-1E308", "3.4E38", "1E-320"});
        default: return numberText(random);
    }
}

std::string caseLine(Random& random) {
    using differential::escape;
    const unsigned kind = random.below(100);
    if (kind < 35) return "N|" + escape(numberText(random));
    if (kind < 60) {
        const std::string first = numberText(random);
        return "P|" + escape(first) + "|" + escape(secondText(random, first));
    }
    if (kind < 78) {
        const double first = randomDouble(random);
        const unsigned relation = random.below(6);
        const double second = relation == 0 ? first : relation == 1 ? -first : randomDouble(random);
        return "D|" + hexBits(first) + "|" + hexBits(second);
    }
    if (kind < 90) {
        const float first = randomSingle(random);
        const float second = random.chance(20) ? -first : randomSingle(random);
        return "S|" + hexBits(first) + "|" + hexBits(second);
    }
    const std::string a = numberText(random);
    return "T|" + escape(a) + "|" + escape(secondText(random, a)) + "|" + escape(numberText(random));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: differential_cases SEED COUNT\n");
        return 2;
    }
    Random random(std::strtoull(argv[1], nullptr, 10));
    const unsigned long long count = std::strtoull(argv[2], nullptr, 10);
    std::string out;
    for (unsigned long long i = 0; i < count; ++i) {
        out += caseLine(random);
        out.push_back('\n');
        if (out.size() > (1u << 16)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
