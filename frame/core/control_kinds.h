// What each kind of control is, written once: one row a kind. Every other table indexed by
// ControlKind, in the core and in the backends (their factories included), is made with
// perKind(), which stops the build unless the table has exactly one row for every kind; a new
// kind cannot be added without saying what it is everywhere. No toolkit include.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "project.h"

namespace forms::detail {

// The room a caption leaves inside its control besides its text, in pixels at 96 DPI (scaled
// with the window's resolution): a button's edges; the gap between an option button's mark and
// its caption. The mark itself is measured (CaptionMeasurer::optionMarkWidth): each toolkit
// draws it at a size of its own, which on one system grows with the user's settings.
struct CaptionMargins {
    int horizontal;
    int vertical;
    bool besideMark;
};

struct ControlKindTraits {
    ControlKind kind;
    std::string_view interface;  // named by the error of a failed control call
    bool takesFocus;             // labels take none
    bool showsCaption;           // a text box shows its text instead
    CaptionMargins captionMargins;
    bool raisesClick;     // a click on it runs its Click handler
    bool raisesKeyPress;  // a key typed into it runs its KeyPress handler
    // Shows no caption of its own, so screen readers announce it by the caption of the label
    // over it (labelOf), and that label comes right before it in the stacking order.
    bool namedByLabel;
    // Drawn beneath any control it overlaps, so that it never hides a box's border or a
    // button's edge: a label's box is often taller or wider than its text.
    bool liesBeneath;
};

// A table with exactly one row for every control kind, in the order of ControlKind.
template <class Row, std::size_t Rows>
constexpr std::array<Row, ControlKindCount> perKind(const Row (&rows)[Rows]) {
    static_assert(Rows == ControlKindCount, "one row for every control kind");
    std::array<Row, ControlKindCount> table{};
    for (std::size_t index = 0; index < Rows; ++index) table[index] = rows[index];
    return table;
}

inline constexpr auto controlKinds = perKind<ControlKindTraits>({
    // kind                      interface        focus  caption margins         click  keys   label  beneath
    {ControlKind::Label,         "Label",         false, true,  {0, 0, false},  false, false, false, true},
    {ControlKind::TextBox,       "TextBox",       true,  false, {0, 0, false},  false, true,  true,  false},
    {ControlKind::CommandButton, "CommandButton", true,  true,  {12, 6, false}, true,  false, false, false},
    {ControlKind::OptionButton,  "OptionButton",  true,  true,  {6, 0, true},   true,  false, false, false},
});

constexpr const ControlKindTraits& traitsOf(ControlKind kind) { return controlKinds[static_cast<std::size_t>(kind)]; }

// Each row stands at its kind's place.
static_assert([] {
    for (std::size_t index = 0; index < ControlKindCount; ++index) {
        if (static_cast<std::size_t>(controlKinds[index].kind) != index) return false;
    }
    return true;
}());

}  // namespace forms::detail
