// sumdiff through its real widgets: typing, Enter, option buttons and clicks.
#include "sumdiff/sumdiff.h"
#include "window_test.h"

namespace {

class SumdiffTest : public WindowTest {
protected:
    void SetUp() override { open(sumdiff::project); }
};

TEST_F(SumdiffTest, OpensWithEmptyBoxesNoSelectionAndFocusInA) {
    EXPECT_EQ(widget("Text1")->window()->windowTitle(), "Form1");
    for (const char* name : {"Text1", "Text2", "Text3"}) EXPECT_TRUE(text(name).isEmpty()) << name;
    EXPECT_FALSE(qobject_cast<QRadioButton*>(widget("Option1"))->isChecked());
    EXPECT_FALSE(qobject_cast<QRadioButton*>(widget("Option2"))->isChecked());
    EXPECT_EQ(focused(), "Text1");
}

TEST_F(SumdiffTest, SumWithSummaSelectedDifferenceOtherwise) {
    EXPECT_EQ(compute("5", "3"), "2") << "no selection yet: A - B";
    click("Option1");
    EXPECT_EQ(compute("5", "3"), "8");
    click("Option2");
    EXPECT_EQ(compute("5", "3"), "2");
    EXPECT_EQ(compute("3", "5"), "-2") << "A - B, never B - A";
    EXPECT_EQ(compute("", ""), "0");
    EXPECT_EQ(compute("abc", "2,5"), "-2.5") << "no number reads 0; a decimal comma is accepted";
}

TEST_F(SumdiffTest, ResultIsRoundedToSinglePrecision) {
    click("Option1");
    EXPECT_EQ(compute("100000001", "0"), "100000000");
    EXPECT_EQ(compute("0.1", "0.2"), "0.3") << "the Single nearest 0.3 shows as 0.3";
    EXPECT_EQ(compute("1E-50", "0"), "0") << "too small for a Single becomes 0 without error";
    EXPECT_EQ(dialogs.errorCount(), 0u);
}

TEST_F(SumdiffTest, ResultBeyondSingleRangeIsAnErrorThatKeepsEverything) {
    click("Option1");
    EXPECT_EQ(compute("7", "1"), "8");
    EXPECT_EQ(compute("1E+39", "0"), "8");
    ASSERT_EQ(dialogs.errorCount(), 1u);
    EXPECT_EQ(dialogs.seen().back().caption, "sumdiff");
    EXPECT_EQ(dialogs.seen().back().prompt, "Ошибка выполнения 2: переполнение");
    EXPECT_EQ(text("Text1"), "1E+39") << "what the user typed stays";
    EXPECT_EQ(compute("1E400", "0"), "8") << "beyond Double: the reading itself fails";
    EXPECT_EQ(dialogs.errorCount(), 2u);
    EXPECT_EQ(compute("-3.4028235E38", "0"), "-3.4028235E+38") << "the program goes on";
}

TEST_F(SumdiffTest, EnterInAMovesToBAndNowhereElse) {
    type("Text1", "12");
    pressEnter("Text1");
    EXPECT_EQ(focused(), "Text2");
    EXPECT_EQ(text("Text1"), "12") << "Enter types nothing";
    type("Text2", "3");
    pressEnter("Text2");
    EXPECT_EQ(focused(), "Text2");
    EXPECT_TRUE(text("Text3").isEmpty()) << "Enter never presses the button";
    widget("Text3")->setFocus();
    pressEnter("Text3");
    EXPECT_EQ(focused(), "Text3");
    EXPECT_TRUE(text("Text3").isEmpty());
}

TEST_F(SumdiffTest, TextTypedIntoCIsReplacedByTheNextClick) {
    type("Text3", "junk");
    EXPECT_EQ(compute("1", "1"), "0");
}

TEST_F(SumdiffTest, FailedWriteOfCKeepsItsTextAndTheProgramGoesOn) {
    EXPECT_EQ(compute("4", "1"), "3");
    forms::testing::failControlCall("Text3", "Text");
    EXPECT_EQ(compute("9", "1"), "3");
    ASSERT_EQ(dialogs.errorCount(), 1u);
    EXPECT_EQ(dialogs.seen().back().prompt, "Ошибка выполнения 3: сбой вызова элемента управления");
    forms::testing::clearControlCallFailures();
    EXPECT_EQ(compute("9", "1"), "8");
}

TEST_F(SumdiffTest, MegabyteOfInputNeitherCrashesNorLosesText) {
    const QString digits(1 << 20, QChar('7'));
    textBox("Text1")->setText(digits);
    click("Command1");
    EXPECT_EQ(dialogs.errorCount(), 1u) << "a million digits is beyond the Double range";
    EXPECT_EQ(text("Text1").size(), digits.size());
    QString noise;
    for (int index = 0; index < (1 << 20); ++index) noise.append(QChar(u"x,.e+-9 "[index % 8]));
    textBox("Text1")->setText(noise);
    click("Command1");
    EXPECT_EQ(text("Text3"), "0");
}

}  // namespace
