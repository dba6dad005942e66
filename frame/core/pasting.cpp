#include "pasting.h"

namespace forms::detail {

std::u16string_view pastedLine(std::u16string_view text) {
    const auto isBreak = [](char16_t unit) { return unit == u'\r' || unit == u'\n'; };
    std::size_t start = 0;
    while (start < text.size() && isBreak(text[start])) ++start;
    std::size_t end = start;
    while (end < text.size() && !isBreak(text[end])) ++end;
    return text.substr(start, end - start);
}

}  // namespace forms::detail
