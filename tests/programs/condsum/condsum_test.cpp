// condsum through its real widgets: A > B chooses the sum, anything else the difference, on
// the unrounded values; only C is rounded to 16 bits.
#include <QLabel>
#include <QTimer>
#include <variant>

#include "condsum/condsum.h"
#include "window_test.h"

namespace {

class CondsumTest : public WindowTest {
protected:
    void SetUp() override { open(condsum::project); }
    condsum::Form1& vars() { return form<condsum::Form1>(); }
};

TEST_F(CondsumTest, OpensEmptyWithFocusInAAndCaptionsThatFit) {
    EXPECT_EQ(window_->window()->windowTitle(), "Form1");
    for (const char* name : {"Text1", "Text2", "Text3"}) EXPECT_TRUE(text(name).isEmpty()) << name;
    EXPECT_EQ(focused(), "Text1");
    EXPECT_EQ(widget("Text1")->accessibleName(), "A");
    EXPECT_EQ(widget("Text2")->accessibleName(), "B");
    EXPECT_EQ(widget("Text3")->accessibleName(), "C");
    EXPECT_TRUE(std::holds_alternative<forms::Empty>(vars().A));
    EXPECT_EQ(vars().C, 0);
    EXPECT_LE(widget("Command1")->sizeHint().width(), widget("Command1")->width());
    for (const char* name : {"Label1", "Label2", "Label3"}) {
        auto* label = qobject_cast<QLabel*>(widget(name));
        const QFontMetrics metrics(label->font());
        EXPECT_LE(metrics.height(), label->height()) << name;
    }
    QTest::keyClick(widget("Text1"), Qt::Key_Tab);
    QTest::keyClick(widget("Text2"), Qt::Key_Tab);
    QTest::keyClick(widget("Text3"), Qt::Key_Tab);
    EXPECT_EQ(focused(), "Command1") << "Text1, Text2, Text3, then the button";
}

TEST_F(CondsumTest, SumWhenAIsGreaterDifferenceOtherwise) {
    EXPECT_EQ(compute("", ""), "0");
    EXPECT_EQ(compute("5", "3"), "8");
    EXPECT_EQ(compute("3", "5"), "-2") << "A - B, never B - A";
    EXPECT_EQ(compute("4", "4"), "0") << "equal values take the difference";
    EXPECT_EQ(compute("-1", "-2"), "-3");
    EXPECT_EQ(compute("x", "-2"), "-2") << "no number reads 0, and 0 > -2";
    EXPECT_EQ(dialogs.errorCount(), 0u);
}

TEST_F(CondsumTest, ComparisonAndArithmeticUseTheUnroundedValues) {
    EXPECT_EQ(compute("1.2", "1.1"), "2") << "1.2 > 1.1 although both round to 1";
    EXPECT_EQ(compute("2.6", "1.2"), "4");
    EXPECT_EQ(compute("1.1", "1.2"), "0") << "-0.1 rounds to 0";
    EXPECT_EQ(compute("0,7", "0,6"), "1") << "sum 1.3, not 1 + 1";
    EXPECT_EQ(compute("1.5", "1"), "2") << "2.5 goes to the even 2";
    EXPECT_EQ(compute("2", "1.5"), "4") << "3.5 goes to the even 4";
    ASSERT_TRUE(std::holds_alternative<double>(vars().A));
    EXPECT_EQ(std::get<double>(vars().A), 2.0);
    EXPECT_EQ(std::get<double>(vars().B), 1.5);
}

TEST_F(CondsumTest, OnlyTheResultMustFitSixteenBits) {
    EXPECT_EQ(compute("20000", "-20000"), "0");
    EXPECT_EQ(compute("32767", "0"), "32767");
    EXPECT_EQ(compute("0", "32768"), "-32768");
    EXPECT_EQ(compute("-30000", "2768"), "-32768");
    EXPECT_EQ(dialogs.errorCount(), 0u);
}

TEST_F(CondsumTest, OutOfRangeResultKeepsCAndItsTextAndTheProgramGoesOn) {
    EXPECT_EQ(compute("7", "2"), "9");
    EXPECT_EQ(compute("30000", "10000"), "9");
    ASSERT_EQ(dialogs.errorCount(), 1u);
    EXPECT_EQ(dialogs.seen().back().caption, "condsum");
    EXPECT_EQ(dialogs.seen().back().prompt, "Ошибка выполнения 2: переполнение");
    EXPECT_EQ(vars().C, 9);
    EXPECT_EQ(std::get<double>(vars().A), 30000.0) << "A and B hold the new values";
    EXPECT_EQ(std::get<double>(vars().B), 10000.0);
    EXPECT_EQ(compute("-20000", "20000"), "9") << "the difference -40000";
    EXPECT_EQ(compute("0", "32769"), "9");
    EXPECT_EQ(compute("1E400", "0"), "9") << "beyond Double: the reading itself fails";
    EXPECT_EQ(dialogs.errorCount(), 4u);
    EXPECT_EQ(compute("2", "7"), "-5");
}

TEST_F(CondsumTest, OverflowShowsTheRealErrorBoxAndTheWindowGoesOn) {
    EXPECT_EQ(compute("6", "1"), "7");
    forms::testing::setDialogResponder({});
    QString caption;
    QStringList texts;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(box));
        caption = box->windowTitle();
        for (const QLabel* label : box->findChildren<QLabel*>()) texts << label->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(compute("30000", "10000"), "7");
    EXPECT_EQ(caption, "condsum");
    EXPECT_TRUE(texts.join('\n').contains("Ошибка выполнения 2: переполнение")) << texts.join('\n').toStdString();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "Enter closed it";
    EXPECT_EQ(compute("3", "1"), "4");
}

TEST_F(CondsumTest, FailedReadOfBKeepsTheNewA) {
    EXPECT_EQ(compute("3", "1"), "4");
    forms::testing::failControlCall("Text2", "Text");
    EXPECT_EQ(compute("10", "1"), "4");
    EXPECT_EQ(std::get<double>(vars().A), 10.0);
    EXPECT_EQ(std::get<double>(vars().B), 1.0) << "B still holds the last click's value";
    EXPECT_EQ(vars().C, 4);
    EXPECT_EQ(dialogs.errorCount(), 1u);
}

TEST_F(CondsumTest, EnterInAMovesToBAndComputesNothing) {
    type("Text1", "5");
    pressEnter("Text1");
    EXPECT_EQ(focused(), "Text2");
    EXPECT_EQ(text("Text1"), "5");
    EXPECT_TRUE(text("Text3").isEmpty());
    type("Text2", "3");
    pressEnter("Text2");
    EXPECT_EQ(focused(), "Text2");
    EXPECT_TRUE(text("Text3").isEmpty());
    type("Text3", "junk");
    click("Command1");
    EXPECT_EQ(text("Text3"), "8") << "typed text in C is replaced";
}

TEST_F(CondsumTest, MegabyteInputsNeitherCrashNorHang) {
    QString spaced = QString(1 << 20, QChar(' '));
    textBox("Text1")->setText(spaced + "3" + spaced);
    textBox("Text2")->setText(QString(1 << 20, QChar('-')));
    click("Command1");
    EXPECT_EQ(text("Text3"), "3") << "blanks around a number are ignored; dashes read 0";
    textBox("Text2")->setText("0." + QString(1 << 20, QChar('9')));
    click("Command1");
    EXPECT_EQ(text("Text3"), "4") << "3 > 1 (the long fraction rounds to 1), sum 4";
    EXPECT_EQ(dialogs.errorCount(), 0u);
}

}  // namespace
