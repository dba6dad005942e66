// signcolor through its real widgets: the disabled field at start, "Ввод", Enter, and the
// window's colour as it appears on the screen.
#include <QGuiApplication>
#include <QPalette>

#include "signcolor/signcolor.h"
#include "window_test.h"

namespace {

const QColor grey(190, 190, 190);
const QColor darkBlue(0, 0, 150);
const QColor red(200, 0, 0);

class SigncolorTest : public WindowTest {
protected:
    void SetUp() override { open(signcolor::project); }

    // The colour a person sees in the free lower-left corner of the window, away from controls.
    QColor shownColor() const {
        const QImage shot = window_->window()->grab().toImage();
        return shot.pixelColor(5, shot.height() - 5);
    }
    // Types a text after "Ввод" and presses Enter; gives the colour then shown.
    QColor enter(const QString& value) {
        click("Command1");
        type("Text1", value);
        pressEnter("Text1");
        return shownColor();
    }
    std::int16_t n() { return form<signcolor::Form1>().n; }
};

TEST_F(SigncolorTest, OpensWithTheFieldDisabledAndTheButtonFocused) {
    EXPECT_EQ(window_->window()->windowTitle(), "Задание №9");
    EXPECT_FALSE(widget("Text1")->isEnabled());
    EXPECT_TRUE(text("Text1").isEmpty());
    EXPECT_EQ(focused(), "Command1");
    EXPECT_EQ(shownColor(), QGuiApplication::palette().color(QPalette::Window));
    EXPECT_EQ(n(), 0);
}

TEST_F(SigncolorTest, NothingReachesTheFieldBeforeTheButtonIsPressed) {
    QWidget* focus = window_->window()->focusWidget();
    QTest::keyClick(focus, Qt::Key_Tab);
    EXPECT_EQ(focused(), "Command1") << "Tab cannot reach a disabled field";
    QTest::keyClicks(window_->window()->focusWidget(), "-5");
    EXPECT_TRUE(text("Text1").isEmpty());
    EXPECT_EQ(shownColor(), QGuiApplication::palette().color(QPalette::Window));
    QTest::keyClick(window_->window()->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(focused(), "Text1") << "Enter on the focused button presses it";
    EXPECT_EQ(text("Text1"), " ") << "the typed keys never reached the field";
    EXPECT_TRUE(dialogs.seen().empty());
}

TEST_F(SigncolorTest, ButtonEnablesFocusesBlanksAndGreys) {
    click("Command1");
    EXPECT_TRUE(widget("Text1")->isEnabled());
    EXPECT_EQ(focused(), "Text1");
    EXPECT_EQ(text("Text1"), " ");
    EXPECT_EQ(text("Text1").size(), 1);
    EXPECT_EQ(shownColor(), grey);
    EXPECT_EQ(form<signcolor::Form1>().backColor(), forms::colorFromRgb(190, 190, 190));
    EXPECT_TRUE(dialogs.seen().empty());
}

TEST_F(SigncolorTest, EnterOnTheUntouchedBlankReadsZeroAndGivesDarkBlue) {
    click("Command1");
    pressEnter("Text1");
    EXPECT_EQ(shownColor(), darkBlue);
    EXPECT_EQ(text("Text1"), " ") << "Enter types nothing";
    EXPECT_EQ(focused(), "Text1");
}

TEST_F(SigncolorTest, SignOfTheRoundedNumberPicksTheColour) {
    EXPECT_EQ(enter("5"), darkBlue);
    EXPECT_EQ(n(), 5);
    EXPECT_EQ(enter("-3"), red);
    EXPECT_EQ(n(), -3);
    EXPECT_EQ(enter("0"), darkBlue);
    EXPECT_EQ(enter("-0.4"), darkBlue) << "rounds to 0 before the sign is taken";
    EXPECT_EQ(n(), 0);
    EXPECT_EQ(enter("-0.5"), darkBlue) << "a tie goes to the even 0";
    EXPECT_EQ(enter("-0.6"), red);
    EXPECT_EQ(n(), -1);
    EXPECT_EQ(enter("abc"), darkBlue) << "no number reads 0";
    EXPECT_EQ(enter("-2,5 kg"), red) << "decimal comma, trailing words ignored";
    EXPECT_EQ(n(), -2);
    EXPECT_EQ(dialogs.errorCount(), 0u);
}

TEST_F(SigncolorTest, SixteenBitBoundariesAndTiesToEven) {
    EXPECT_EQ(enter("-32768"), red);
    EXPECT_EQ(n(), -32768);
    EXPECT_EQ(enter("32767"), darkBlue);
    EXPECT_EQ(n(), 32767);
    EXPECT_EQ(enter("-32768.5"), red) << "ties to the even -32768";
    EXPECT_EQ(n(), -32768);
    EXPECT_EQ(enter("32766.5"), darkBlue);
    EXPECT_EQ(n(), 32766);
    EXPECT_EQ(dialogs.errorCount(), 0u);
}

TEST_F(SigncolorTest, OutOfRangeIsAnErrorThatKeepsNAndTheColour) {
    EXPECT_EQ(enter("-7"), red);
    for (const char* value : {"40000", "32767.5", "-32769", "-40000", "1E400"}) {
        type("Text1", value);
        pressEnter("Text1");
        EXPECT_EQ(shownColor(), red) << value;
        EXPECT_EQ(n(), -7) << value;
        EXPECT_EQ(text("Text1"), value) << "what the user typed stays";
    }
    ASSERT_EQ(dialogs.errorCount(), 5u);
    for (const auto& error : dialogs.seen()) {
        EXPECT_EQ(error.caption, "signcolor");
        EXPECT_EQ(error.prompt, "Ошибка выполнения 2: переполнение");
    }
    type("Text1", "12");
    pressEnter("Text1");
    EXPECT_EQ(shownColor(), darkBlue) << "the program goes on";
}

TEST_F(SigncolorTest, OtherKeysReachTheFieldAndLeaveTheColour) {
    EXPECT_EQ(enter("-1"), red);
    QTest::keyClicks(textBox("Text1"), "9x ,");
    EXPECT_EQ(text("Text1"), "-19x ,");
    EXPECT_EQ(shownColor(), red);
    EXPECT_EQ(n(), -1);
}

TEST_F(SigncolorTest, ButtonAgainGreysAndReplacesTheTypedText) {
    EXPECT_EQ(enter("-9"), red);
    click("Command1");
    EXPECT_EQ(shownColor(), grey);
    EXPECT_EQ(text("Text1"), " ");
    EXPECT_EQ(focused(), "Text1");
    EXPECT_TRUE(widget("Text1")->isEnabled());
    EXPECT_EQ(n(), -9) << "N keeps the last value entered";
}

TEST_F(SigncolorTest, FailedSetFocusLeavesTheFieldEnabledAndNothingLater) {
    forms::testing::failControlCall("Text1", "SetFocus");
    click("Command1");
    EXPECT_TRUE(widget("Text1")->isEnabled());
    EXPECT_TRUE(text("Text1").isEmpty());
    EXPECT_EQ(shownColor(), QGuiApplication::palette().color(QPalette::Window));
    ASSERT_EQ(dialogs.errorCount(), 1u);
    EXPECT_EQ(dialogs.seen()[0].prompt, "Ошибка выполнения 3: сбой вызова элемента управления");
}

TEST_F(SigncolorTest, FailedColourKeepsNButNotTheColour) {
    EXPECT_EQ(enter("4"), darkBlue);
    forms::testing::failControlCall("Form1", "BackColor");
    type("Text1", "-4");
    pressEnter("Text1");
    EXPECT_EQ(n(), -4) << "N was stored before the colour failed";
    EXPECT_EQ(shownColor(), darkBlue);
    EXPECT_EQ(dialogs.errorCount(), 1u);
}

TEST_F(SigncolorTest, HugeTextsNeitherCrashNorLoseText) {
    click("Command1");
    const QString digits(1 << 20, QChar('3'));
    textBox("Text1")->setText(digits);
    pressEnter("Text1");
    EXPECT_EQ(dialogs.errorCount(), 1u);
    EXPECT_EQ(shownColor(), grey);
    EXPECT_EQ(text("Text1").size(), digits.size());
    textBox("Text1")->setText("-" + QString(1 << 20, QChar('0')) + "1");
    pressEnter("Text1");
    EXPECT_EQ(shownColor(), red);
}

}  // namespace
