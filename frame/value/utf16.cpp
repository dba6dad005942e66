#include "utf16.h"

namespace forms::detail {

namespace {

constexpr char32_t Replacement = 0xFFFD;

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

void appendUtf8(std::string& out, char32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | point >> 6);
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | point >> 12);
        out += static_cast<char>(0x80 | (point >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | point >> 18);
        out += static_cast<char>(0x80 | (point >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (point >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

CodePoint codePointAt(std::string_view text, std::size_t position) {
    const auto lead = static_cast<unsigned char>(text[position]);
    if (lead < 0x80) return {lead, 1};
    std::size_t length = 0;
    char32_t point = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, point = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, point = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, point = lead & 0x07, smallest = 0x10000;
    } else {
        return {};
    }
    if (text.size() - position < length) return {};
    for (std::size_t index = 1; index < length; ++index) {
        const auto byte = static_cast<unsigned char>(text[position + index]);
        if (!isContinuation(byte)) return {};
        point = point << 6 | (byte & 0x3F);
    }
    if (point < smallest || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return {};
    return {point, length};
}

namespace {

// Calls `unit` with each UTF-16 unit of the UTF-8 `text`. A malformed sequence gives U+FFFD and
// only its first byte is passed, so the bytes after it are read afresh.
template <class Unit>
void forEachUtf16Unit(std::string_view text, Unit&& unit) {
    std::size_t position = 0;
    while (position < text.size()) {
        const CodePoint decoded = codePointAt(text, position);
        const char32_t point = decoded.length > 0 ? decoded.value : Replacement;
        position += decoded.length > 0 ? decoded.length : 1;
        if (point < 0x10000) {
            unit(static_cast<char16_t>(point));
        } else {
            unit(static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10)));
            unit(static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF)));
        }
    }
}

}  // namespace

std::u16string utf16FromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    forEachUtf16Unit(text, [&out](char16_t unit) { out += unit; });
    return out;
}

std::size_t utf16Length(std::string_view text) {
    std::size_t length = 0;
    forEachUtf16Unit(text, [&length](char16_t) { ++length; });
    return length;
}

std::string utf8FromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t position = 0; position < text.size(); ++position) {
        const char16_t unit = text[position];
        char32_t point = unit;
        if (isHighSurrogate(unit) && position + 1 < text.size() && isLowSurrogate(text[position + 1])) {
            point = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[++position] - 0xDC00);
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            point = Replacement;
        }
        appendUtf8(out, point);
    }
    return out;
}

}  // namespace forms::detail
