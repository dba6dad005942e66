// switchcalc through its real widgets: the two switches, C kept between clicks, rounding of the
// unrounded sum or difference, and the 16-bit limits.
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <variant>

#include "switchcalc/switchcalc.h"
#include "window_test.h"

namespace {

class SwitchcalcTest : public WindowTest {
protected:
    void SetUp() override { open(switchcalc::project); }
    switchcalc::Form1& vars() { return form<switchcalc::Form1>(); }
};

TEST_F(SwitchcalcTest, OpensEmptyWithNoSwitchSelectedAndFreshFormVariables) {
    EXPECT_EQ(window_->window()->windowTitle(), "Form1");
    for (const char* name : {"Text1", "Text2", "Text3"}) EXPECT_TRUE(text(name).isEmpty()) << name;
    EXPECT_FALSE(qobject_cast<QRadioButton*>(widget("Option1"))->isChecked());
    EXPECT_FALSE(qobject_cast<QRadioButton*>(widget("Option2"))->isChecked());
    EXPECT_EQ(focused(), "Text1");
    EXPECT_EQ(widget("Text1")->accessibleName(), "A");
    EXPECT_EQ(widget("Text2")->accessibleName(), "B");
    EXPECT_EQ(widget("Text3")->accessibleName(), "C");
    EXPECT_TRUE(std::holds_alternative<forms::Empty>(vars().A));
    EXPECT_TRUE(std::holds_alternative<forms::Empty>(vars().B));
    EXPECT_EQ(vars().C, 0);
}

TEST_F(SwitchcalcTest, CaptionsFitTheirControls) {
    EXPECT_LE(widget("Command1")->sizeHint().width(), widget("Command1")->width());
    EXPECT_LE(widget("Command1")->sizeHint().height(), widget("Command1")->height());
    // The switches' captions are long: measure them against the room beside the indicator.
    for (const char* name : {"Option1", "Option2"}) {
        auto* option = qobject_cast<QRadioButton*>(widget(name));
        QStyleOptionButton style;
        style.initFrom(option);
        style.text = option->text();
        const QRect room = option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option);
        const QFontMetrics metrics(option->font());
        EXPECT_LE(metrics.horizontalAdvance(option->text()), room.width()) << name;
        EXPECT_LE(metrics.height(), room.height()) << name;
    }
    EXPECT_EQ(qobject_cast<QRadioButton*>(widget("Option1"))->text(), "переключатель1");
    EXPECT_EQ(qobject_cast<QRadioButton*>(widget("Option2"))->text(), "переключатель2");
    EXPECT_EQ(qobject_cast<QPushButton*>(widget("Command1"))->text(), "вычислить");
}

TEST_F(SwitchcalcTest, WithoutASwitchCStaysAtZeroButAAndBAreStored) {
    EXPECT_EQ(compute("5", "3"), "0");
    EXPECT_EQ(compute("30000", "30000"), "0") << "nothing is computed, so nothing overflows";
    EXPECT_EQ(dialogs.errorCount(), 0u);
    ASSERT_TRUE(std::holds_alternative<double>(vars().A));
    EXPECT_EQ(std::get<double>(vars().A), 30000.0);
    EXPECT_EQ(std::get<double>(vars().B), 30000.0);
}

TEST_F(SwitchcalcTest, FirstSwitchAddsSecondSubtracts) {
    click("Option1");
    EXPECT_EQ(compute("5", "3"), "8");
    click("Option2");
    EXPECT_FALSE(qobject_cast<QRadioButton*>(widget("Option1"))->isChecked()) << "one group";
    EXPECT_EQ(compute("5", "3"), "2");
    EXPECT_EQ(compute("3", "5"), "-2") << "A - B, never B - A";
    EXPECT_EQ(compute("", ""), "0");
    EXPECT_EQ(compute("abc", "7x"), "-7") << "no number reads 0; the rest after a number is ignored";
    EXPECT_EQ(vars().C, -7);
}

TEST_F(SwitchcalcTest, SumIsRoundedOnceFromTheUnroundedValues) {
    click("Option1");
    EXPECT_EQ(compute("0.4", "0.4"), "1") << "0.8, not 0 + 0";
    EXPECT_EQ(compute("1,5", "1"), "2") << "2.5 goes to the even 2";
    EXPECT_EQ(compute("2.5", "1"), "4") << "3.5 goes to the even 4";
    EXPECT_EQ(compute("-0.3", "-0.3"), "-1");
    click("Option2");
    EXPECT_EQ(compute("0.7", "0.4"), "0");
    EXPECT_EQ(compute("40000", "30000"), "10000") << "only the result must fit";
}

TEST_F(SwitchcalcTest, SixteenBitLimits) {
    click("Option1");
    EXPECT_EQ(compute("32766", "1"), "32767");
    EXPECT_EQ(compute("32767.4", "0"), "32767");
    EXPECT_EQ(compute("-32768", "0"), "-32768");
    click("Option2");
    EXPECT_EQ(compute("0", "32768"), "-32768");
    EXPECT_EQ(compute("-32767", "1.5"), "-32768") << "-32768.5 goes to the even -32768";
    EXPECT_EQ(dialogs.errorCount(), 0u);
}

TEST_F(SwitchcalcTest, OutOfRangeResultKeepsCAndItsTextAndTheProgramGoesOn) {
    click("Option1");
    EXPECT_EQ(compute("100", "23"), "123");
    EXPECT_EQ(compute("32767", "1"), "123");
    ASSERT_EQ(dialogs.errorCount(), 1u);
    EXPECT_EQ(dialogs.seen().back().caption, "switchcalc");
    EXPECT_EQ(dialogs.seen().back().prompt, "Ошибка выполнения 2: переполнение");
    EXPECT_EQ(vars().C, 123);
    EXPECT_EQ(std::get<double>(vars().A), 32767.0) << "A and B keep what was stored before the error";
    EXPECT_EQ(std::get<double>(vars().B), 1.0);
    EXPECT_EQ(compute("32767.5", "0"), "123") << "32767.5 rounds to the even 32768";
    click("Option2");
    EXPECT_EQ(compute("-32768", "1"), "123");
    EXPECT_EQ(compute("1E400", "0"), "123") << "beyond Double: the reading itself fails";
    EXPECT_EQ(dialogs.errorCount(), 4u);
    EXPECT_EQ(compute("10", "4"), "6");
}

TEST_F(SwitchcalcTest, CIsKeptBetweenClicks) {
    click("Option2");
    EXPECT_EQ(compute("9", "2"), "7");
    type("Text3", "junk");
    type("Text1", "1");
    click("Command1");
    EXPECT_EQ(text("Text3"), "-1") << "typed text in C is replaced";
    EXPECT_EQ(vars().C, -1);
}

TEST_F(SwitchcalcTest, FailedCallsStopTheClickThere) {
    click("Option1");
    EXPECT_EQ(compute("2", "2"), "4");
    forms::testing::failControlCall("Option1", "Value");
    EXPECT_EQ(compute("5", "5"), "4");
    EXPECT_EQ(vars().C, 4);
    EXPECT_EQ(std::get<double>(vars().B), 5.0) << "B was stored before the failed read";
    forms::testing::clearControlCallFailures();
    // Option2 is read only when Option1 is not selected.
    forms::testing::failControlCall("Option2", "Value");
    EXPECT_EQ(compute("5", "5"), "10");
    click("Option2");
    EXPECT_EQ(compute("5", "1"), "10");
    forms::testing::clearControlCallFailures();
    forms::testing::failControlCall("Text3", "Text");
    EXPECT_EQ(compute("5", "1"), "10");
    EXPECT_EQ(vars().C, 4) << "C is stored before the write that failed";
    EXPECT_EQ(dialogs.errorCount(), 3u);
}

TEST_F(SwitchcalcTest, EnterInAMovesToBAndNowhereElse) {
    type("Text1", "12");
    pressEnter("Text1");
    EXPECT_EQ(focused(), "Text2");
    EXPECT_EQ(text("Text1"), "12") << "Enter types nothing";
    type("Text2", "3");
    pressEnter("Text2");
    EXPECT_EQ(focused(), "Text2");
    EXPECT_TRUE(text("Text3").isEmpty()) << "Enter never presses the button";
}

TEST_F(SwitchcalcTest, MegabyteInputsNeitherCrashNorHang) {
    click("Option1");
    textBox("Text1")->setText(QString(1 << 20, QChar('7')));
    click("Command1");
    EXPECT_EQ(dialogs.errorCount(), 1u) << "a million digits is beyond the Double range";
    QString noise;
    for (int index = 0; index < (1 << 20); ++index) noise.append(QChar(u"x,.e+-9 "[index % 8]));
    textBox("Text1")->setText(noise);
    textBox("Text2")->setText(QString(1 << 20, QChar('0')) + "5");
    click("Command1");
    EXPECT_EQ(text("Text3"), "5");
}

}  // namespace
