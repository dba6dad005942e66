// The window rules of the core with a fake toolkit: the font size every backend gets for the
// same measurements, and where the focus goes when the control that has it is hidden.
#include <gtest/gtest.h>

#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "window_rules.h"

namespace {

using forms::ControlDescription;
using forms::ControlKind;
using forms::WindowDescription;
using namespace forms::detail;

// A font whose every character is `size` pixels wide and whose lines are twice that high, with
// an option mark 14 pixels wide.
class FakeMeasurer final : public CaptionMeasurer {
public:
    void useSize(int size) override { size_ = size; }
    double textWidth(std::string_view caption) override { return static_cast<double>(caption.size() * size_); }
    double lineHeight() override { return 2.0 * size_; }
    double optionMarkWidth() override { return 14; }

private:
    int size_ = 0;
};

struct Fit {
    const char* name;
    ControlKind kind;
    std::string_view caption;
    int width;   // pixels at `dotsPerInch`
    int height;  // pixels at `dotsPerInch`
    double dotsPerInch;
    int expected;  // sizes are tried from 10 down; 4 when none fits
};

TEST(WindowRules, CaptionsFitTheirControlsLessTheMarginsOfTheirKind) {
    const Fit fits[] = {
        {"a label as wide as its caption", ControlKind::Label, "abcd", 40, 20, 96, 10},
        {"a label a pixel narrower steps down a size", ControlKind::Label, "abcd", 39, 20, 96, 9},
        {"a label one line high", ControlKind::Label, "abcd", 40, 19, 96, 9},
        // Labels are measured on one line, however tall: "ab cd" would fit at 10 on two.
        {"a label's words do not wrap", ControlKind::Label, "ab cd", 30, 100, 96, 6},
        {"a button keeps 12 px of edges", ControlKind::CommandButton, "abcd", 52, 26, 96, 10},
        {"a button one pixel short of its edges", ControlKind::CommandButton, "abcd", 51, 26, 96, 9},
        {"a button keeps 6 px above and below", ControlKind::CommandButton, "abcd", 52, 25, 96, 9},
        {"an option button keeps its mark and 6 px", ControlKind::OptionButton, "abcd", 60, 20, 96, 10},
        {"an option button one pixel short", ControlKind::OptionButton, "abcd", 59, 20, 96, 9},
        {"the margins grow with the resolution", ControlKind::CommandButton, "abcd", 57, 29, 144, 9},
        {"the margins at that resolution", ControlKind::CommandButton, "abcd", 58, 29, 144, 10},
        {"a text box's text is not a caption", ControlKind::TextBox, "abcdefgh", 10, 10, 96, 10},
        {"a label without a caption", ControlKind::Label, "", 1, 1, 96, 10},
        {"nothing fits: the smallest size", ControlKind::Label, "abcd", 3, 20, 96, 4},
    };
    for (const Fit& fit : fits) {
        const auto twips = [&](int pixels) { return static_cast<int>(pixels * 1440 / fit.dotsPerInch); };
        const ControlDescription controls[] = {
            {"Control", fit.kind, fit.caption, 0, 0, twips(fit.width), twips(fit.height), 0}};
        const WindowDescription window{"Form1", 3000, 3000, controls};
        FakeMeasurer measurer;
        EXPECT_EQ(fittedFontSize(window, fit.dotsPerInch, {10, 4}, measurer), fit.expected) << fit.name;
    }
}

// A window of three text boxes: which of them are available, and which has the focus.
class FakeFocus final : public WindowFocus {
public:
    FakeFocus(std::set<int> unavailable, int focused) : unavailable_(std::move(unavailable)), focused_(focused) {}
    bool controlShown(int control) const override { return !unavailable_.contains(control); }
    bool controlEnabled(int) const override { return true; }
    bool optionSelected(int) const override { return false; }
    int focusedControl() const override { return focused_; }
    void giveFocus(int control, bool) override { focused_ = control; }

private:
    std::set<int> unavailable_;
    int focused_;
};

TEST(WindowRules, FocusLeavesAControlAboutToBeHidden) {
    const ControlDescription controls[] = {{"Text1", ControlKind::TextBox, "", 0, 0, 100, 100, 0},
                                           {"Text2", ControlKind::TextBox, "", 0, 0, 100, 100, 1},
                                           {"Text3", ControlKind::TextBox, "", 0, 0, 100, 100, 2}};
    const WindowDescription window{"Form1", 3000, 3000, controls};
    struct Leave {
        const char* name;
        std::set<int> unavailable;
        int focused;
        int hidden;
        bool moved;
        int expected;  // the control with the focus afterwards
    };
    const Leave leaves[] = {
        {"to the next in tab order", {}, 1, 1, true, 2},
        {"round the end", {}, 2, 2, true, 0},
        {"past unavailable controls", {2}, 1, 1, true, 0},
        {"never back to itself: the window keeps it", {0, 2}, 1, 1, false, 1},
        {"a control without the focus moves nothing", {}, 0, 1, true, 0},
    };
    for (const Leave& leave : leaves) {
        FakeFocus focus(leave.unavailable, leave.focused);
        EXPECT_EQ(moveFocusAwayFrom(window, leave.hidden, focus), leave.moved) << leave.name;
        EXPECT_EQ(focus.focusedControl(), leave.expected) << leave.name;
    }
}

}  // namespace
