// The value layer: variants, text/number conversions, rounding and variant arithmetic.
// It has no toolkit include and touches no window; it is unit-tested, benchmarked and fuzzed alone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace forms {

// A truth value as the controls report it: -1 for true, 0 for false.
using TruthValue = std::int16_t;
inline constexpr TruthValue True = -1;
inline constexpr TruthValue False = 0;

struct Empty {
    friend bool operator==(Empty, Empty) = default;
};

// A value that carries its own type tag. Programs keep numbers read from text in variants
// holding a Double; Empty behaves as 0 in arithmetic and as "" in text.
using Variant = std::variant<Empty, std::int16_t, float, double>;

// Text to Double. Leading blanks are skipped (any Unicode white space or invisible format mark;
// the minus sign U+2212 counts as "-"); the longest leading part of the form
// [+|-]digits[(.|,)digits][(E|e)[+|-]digits] is read (one digit run around the separator may
// be empty, not both) and the rest ignored. No number gives 0. A value beyond the Double range
// raises the overflow error; one too small becomes 0 or a denormal. Linear in the text length.
double numberFromText(std::string_view text);

// Shortest digits that read back to the same value of that type; plain notation for
// 1E-5 <= |x| < 1E+15, otherwise d.dddE+XX. "0" for both zeros, "Infinity", "-Infinity", "NaN".
std::string textFromDouble(double value);
std::string textFromSingle(float value);
std::string textFromInt16(std::int16_t value);
// Formats the value by its own type; Empty gives "".
std::string textFromVariant(const Variant& value);

// Round to the nearest whole number, ties to even; outside -32768..32767, an infinity or a NaN
// raises the overflow error.
std::int16_t int16FromDouble(double value);
std::int16_t int16FromVariant(const Variant& value);
// Round to the nearest Single; a finite value whose rounding overflows, or an infinity, raises
// the overflow error.
float singleFromVariant(const Variant& value);
// The value as a Double (Empty is 0).
double doubleFromVariant(const Variant& value);

// Variant arithmetic. Empty counts as 0. The result has the wider type of the two operands
// (Int16 < Single < Double); an Int16 result outside its range raises the overflow error.
Variant variantAdd(const Variant& left, const Variant& right);
Variant variantSub(const Variant& left, const Variant& right);
// left > right on the numeric values, as a truth value test.
bool variantGreater(const Variant& left, const Variant& right);

// base raised to exponent. A negative base with a non-whole exponent, or a zero base with a
// negative exponent, raises the invalid procedure call error.
double powerDouble(double base, double exponent);

// left followed by right, unchanged.
std::string concatText(std::string_view left, std::string_view right);

// A colour as 0x00BBGGRR. Each component must lie in 0..255, else invalid procedure call.
using Color = std::uint32_t;
Color colorFromRgb(int red, int green, int blue);
inline constexpr int redOf(Color color) { return static_cast<int>(color & 0xFFu); }
inline constexpr int greenOf(Color color) { return static_cast<int>((color >> 8) & 0xFFu); }
inline constexpr int blueOf(Color color) { return static_cast<int>((color >> 16) & 0xFFu); }

}  // namespace forms
