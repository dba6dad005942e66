// The keyboard navigation rules of the core, over sumdiff's window: where Tab, Shift+Tab and the
// arrows move the focus, and the stacking order that names text boxes.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "layout.h"
#include "navigation.h"
#include "sumdiff/sumdiff.h"

namespace {

const forms::WindowDescription& window = sumdiff::project.window;
const auto& controls = window.controls;

int index(std::string_view name) { return name.empty() ? -1 : forms::detail::controlIndex(window, name); }
std::string nameOf(int control) { return control < 0 ? "" : std::string(controls[control].name); }

forms::detail::ControlStates states(std::set<std::string_view> unavailable, std::set<std::string_view> selected) {
    return {[unavailable](int control) { return !unavailable.contains(controls[control].name); },
            [selected](int control) { return selected.contains(controls[control].name); }};
}

struct Move {
    const char* name;
    std::string_view from;  // "" for no control
    bool forward;
    std::set<std::string_view> unavailable;
    std::set<std::string_view> selected;
    std::string_view expected;  // "" for none
};

TEST(Navigation, TabMovesByTabIndexRoundTheEnd) {
    const Move moves[] = {
        {"next by tab index", "Text1", true, {}, {}, "Text2"},
        {"round the end", "Command1", true, {}, {}, "Text1"},
        {"backwards round the start", "Text1", false, {}, {}, "Command1"},
        {"from no control to the first", "", true, {}, {}, "Text1"},
        {"backwards from no control to the last", "", false, {}, {}, "Command1"},
        {"hidden or disabled controls are passed", "Text1", true, {"Text2", "Text3"}, {}, "Option1"},
        {"nothing can take the focus", "Text1", true,
         {"Text1", "Text2", "Text3", "Option1", "Option2", "Command1"}, {}, ""},
        // The option group is one stop: at its selected button, or else at its first.
        {"into the group at its selected button", "Text3", true, {}, {"Option2"}, "Option2"},
        {"out of the group after the selected button", "Option2", true, {}, {"Option2"}, "Command1"},
        {"backwards into the group at its selected button", "Command1", false, {}, {"Option2"}, "Option2"},
        {"a selected but disabled button makes no stop", "Text3", true, {"Option2"}, {"Option2"}, "Option1"},
        {"into a group without a selection at its first", "Text3", true, {}, {}, "Option1"},
        {"out of a group without a selection", "Option1", true, {}, {}, "Command1"},
        {"backwards into a group without a selection at its first", "Command1", false, {}, {}, "Option1"},
    };
    for (const Move& move : moves) {
        const int next = forms::detail::nextTabStop(window, index(move.from), move.forward,
                                                    states(move.unavailable, move.selected));
        EXPECT_EQ(nameOf(next), move.expected) << move.name;
    }
}

TEST(Navigation, ArrowsMoveWithinTheOptionGroup) {
    const Move moves[] = {
        {"to the next option", "Option1", true, {}, {}, "Option2"},
        {"round the end of the group", "Option2", true, {}, {}, "Option1"},
        {"backwards round the start", "Option1", false, {}, {}, "Option2"},
        {"no other option available", "Option1", true, {"Option2"}, {}, ""},
        {"not from a control outside the group", "Text1", true, {}, {}, ""},
    };
    for (const Move& move : moves) {
        const int next = forms::detail::nextInOptionGroup(window, index(move.from), move.forward,
                                                          states(move.unavailable, move.selected));
        EXPECT_EQ(nameOf(next), move.expected) << move.name;
    }
}

TEST(Navigation, FirstFocusAndStackingOrder) {
    EXPECT_EQ(nameOf(forms::detail::firstInTabOrder(window, [](int control) { return control != index("Text1"); })),
              "Text2");
    EXPECT_EQ(forms::detail::firstInTabOrder(window, [](int) { return false; }), -1);

    // Each text box's label right before the box; the other controls by tab index.
    std::vector<std::string> stacking;
    for (const int control : forms::detail::stackingOrder(window)) stacking.push_back(nameOf(control));
    EXPECT_EQ(stacking, (std::vector<std::string>{"Label1", "Text1", "Label2", "Text2", "Label3", "Text3", "Option1",
                                                  "Option2", "Command1"}));
}

}  // namespace
