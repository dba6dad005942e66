// What a one-line text box takes from a paste, the same on every backend: the first line of the
// pasted text that is not empty, so that a number copied with the line break before it (as
// from a terminal or a table) arrives; and whether it fits the box. Deciding before anything
// is inserted keeps a refused paste as cheap as the text itself. No toolkit include.
#pragma once

#include <cstddef>
#include <string_view>

#include "project.h"

namespace forms::detail {

// The first line of `text` (lines end at CR, LF or both) that is not empty; empty when none is.
std::u16string_view pastedLine(std::u16string_view text);

// Whether a box of `length` characters with `selected` of them selected still fits the limit
// once the selection is replaced by `inserted` characters.
constexpr bool fitsTextBox(std::size_t length, std::size_t selected, std::size_t inserted,
                           std::size_t limit = MaxTextBoxLength) {
    return length - selected + inserted <= limit;
}

}  // namespace forms::detail
