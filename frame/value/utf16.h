// UTF-8 (our strings) to UTF-16 (the Windows API's) and back. Malformed input (a bad or
// truncated UTF-8 sequence, an overlong form, a lone surrogate) becomes U+FFFD, so any text
// converts and nothing is lost silently beyond the broken unit. No toolkit include.
#pragma once

#include <string>
#include <string_view>

namespace forms::detail {

// One code point decoded from the UTF-8 at text[position] and its length in bytes; length 0
// for a malformed, overlong or truncated sequence, a surrogate or a value beyond U+10FFFF.
struct CodePoint {
    char32_t value = 0;
    std::size_t length = 0;
};
CodePoint codePointAt(std::string_view text, std::size_t position);

std::u16string utf16FromUtf8(std::string_view text);
// The number of UTF-16 units utf16FromUtf8 gives, without making them: the unit a text box's
// length limit counts.
std::size_t utf16Length(std::string_view text);
std::string utf8FromUtf16(std::u16string_view text);

}  // namespace forms::detail
