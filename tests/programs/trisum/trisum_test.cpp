// trisum through its real widgets: N(N + 1)/2 for a positive N, the message box for any other,
// the focus back in the input field, and the 16-bit limits of the result.
#include <QMessageBox>
#include <QTimer>
#include <cmath>

#include "trisum/trisum.h"
#include "window_test.h"

namespace {

using forms::testing::DialogKind;

const std::string rejected = "Введено не верное значение N ";

class TrisumTest : public WindowTest {
protected:
    void SetUp() override { open(trisum::project); }

    // Types N, clicks "ВЫЧИСЛИТЬ" and gives the result field's text.
    QString compute(const QString& value) {
        type("Text1", value);
        click("Command1");
        return text("Text2");
    }
    trisum::Form1& form1() { return form<trisum::Form1>(); }
};

TEST_F(TrisumTest, OpensEmptyWithItsCaptionAndLabels) {
    EXPECT_EQ(window_->window()->windowTitle(), "Пример вычисления");
    EXPECT_TRUE(text("Text1").isEmpty());
    EXPECT_TRUE(text("Text2").isEmpty());
    EXPECT_EQ(qobject_cast<QPushButton*>(widget("Command1"))->text(), "ВЫЧИСЛИТЬ");
    EXPECT_EQ(focused(), "Command1") << "tab index 0";
}

TEST_F(TrisumTest, PositiveWholeNumbersGiveTheTriangularNumber) {
    EXPECT_EQ(compute("10"), "55");
    EXPECT_EQ(compute("1"), "1");
    EXPECT_EQ(compute("255"), "32640");
    EXPECT_EQ(form1().s, 32640);
    EXPECT_EQ(focused(), "Text1");
    EXPECT_EQ(text("Text1"), "255") << "the input is left as typed";
    EXPECT_TRUE(dialogs.seen().empty());
}

TEST_F(TrisumTest, FractionsAreNotRoundedBeforeTheProduct) {
    EXPECT_EQ(compute("2.5"), "4") << "4.375";
    EXPECT_EQ(compute("0.5"), "0") << "0.375";
    EXPECT_EQ(compute("255.4"), "32742") << "about 32742.28";
    EXPECT_EQ(compute("0,1"), "0") << "0.055; a decimal comma is read";
    EXPECT_EQ(compute("1.5"), "2") << "1.875";
    EXPECT_TRUE(dialogs.seen().empty());
}

TEST_F(TrisumTest, ResultBeyond32767IsAnErrorThatKeepsTheLastResult) {
    EXPECT_EQ(compute("100"), "5050");
    for (const char* value : {"256", "255.5", "1E6"}) {
        EXPECT_EQ(compute(value), "5050") << value;
        EXPECT_EQ(form1().s, 5050) << value;
        EXPECT_EQ(focused(), "Text1") << "the focus moved before the error";
    }
    EXPECT_FLOAT_EQ(form1().n, 1e6f) << "N is stored before the error";
    ASSERT_EQ(dialogs.errorCount(), 3u);
    for (const auto& error : dialogs.seen()) {
        EXPECT_EQ(error.kind, DialogKind::Error);
        EXPECT_EQ(error.caption, "trisum");
        EXPECT_EQ(error.prompt, "Ошибка выполнения 2: переполнение");
    }
    EXPECT_EQ(compute("3"), "6") << "the program goes on";
}

TEST_F(TrisumTest, NonPositiveNIsReportedAndTheResultStays) {
    EXPECT_EQ(compute("4"), "10");
    for (const char* value : {"0", "", " ", "abc", "-5", "-0.1", "1E-50"}) {
        dialogs.clear();
        EXPECT_EQ(compute(value), "10") << value;
        ASSERT_EQ(dialogs.seen().size(), 1u) << value;
        EXPECT_EQ(dialogs.seen()[0].kind, DialogKind::Message);
        EXPECT_EQ(dialogs.seen()[0].caption, "Ответ");
        EXPECT_EQ(dialogs.seen()[0].prompt, rejected);
        EXPECT_EQ(focused(), "Text1") << value;
        EXPECT_EQ(text("Text1"), value);
        EXPECT_EQ(form1().s, 10);
    }
    EXPECT_EQ(form1().n, 0.0f) << "1E-50 narrows to a Single 0";
}

TEST_F(TrisumTest, NumberBeyondSingleIsInfiniteAndOverflowsTheConversion) {
    EXPECT_EQ(compute("7"), "28");
    EXPECT_EQ(compute("1E39"), "28");
    EXPECT_TRUE(std::isinf(form1().n) && form1().n > 0);
    ASSERT_EQ(dialogs.errorCount(), 1u);
    EXPECT_EQ(dialogs.seen()[0].prompt, "Ошибка выполнения 2: переполнение")
        << "the narrowing's flag was cleared by SetFocus; the 16-bit conversion reports it";
    EXPECT_EQ(focused(), "Text1");
    dialogs.clear();
    EXPECT_EQ(compute("-1E39"), "28");
    ASSERT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(dialogs.seen()[0].prompt, rejected);
    dialogs.clear();
    EXPECT_EQ(compute("1E400"), "28") << "beyond Double: the reading fails";
    EXPECT_EQ(dialogs.errorCount(), 1u);
    EXPECT_EQ(form1().n, -std::numeric_limits<float>::infinity()) << "N keeps the last value read";
}

TEST_F(TrisumTest, FailedSetFocusStopsTheClickAfterNIsStored) {
    EXPECT_EQ(compute("2"), "3");
    forms::testing::failControlCall("Text1", "SetFocus");
    EXPECT_EQ(compute("9"), "3");
    EXPECT_FLOAT_EQ(form1().n, 9.0f);
    EXPECT_EQ(form1().s, 3);
    EXPECT_EQ(dialogs.errorCount(), 1u);
    dialogs.clear();
    EXPECT_EQ(compute("-9"), "3");
    ASSERT_EQ(dialogs.seen().size(), 2u) << "the message comes before the failed call";
    EXPECT_EQ(dialogs.seen()[0].prompt, rejected);
    EXPECT_EQ(dialogs.seen()[1].kind, DialogKind::Error);
}

TEST_F(TrisumTest, FailedWriteOfTheResultKeepsTheOldTextButNotS) {
    EXPECT_EQ(compute("2"), "3");
    forms::testing::failControlCall("Text2", "Text");
    EXPECT_EQ(compute("3"), "3");
    EXPECT_EQ(form1().s, 6) << "S is set before the text is written";
    EXPECT_EQ(dialogs.errorCount(), 1u);
}

TEST_F(TrisumTest, MegabyteOfInputNeitherCrashesNorLosesText) {
    const QString digits(1 << 20, QChar('5'));
    textBox("Text1")->setText(digits);
    click("Command1");
    EXPECT_EQ(dialogs.errorCount(), 1u);
    EXPECT_EQ(text("Text1").size(), digits.size());
    textBox("Text1")->setText(QString(1 << 20, QChar(' ')) + "3");
    click("Command1");
    EXPECT_EQ(text("Text2"), "6");
}

// The real message box, closed with Enter while it is open.
TEST_F(TrisumTest, RealMessageBoxShowsThePromptUnderItsTitle) {
    forms::testing::setDialogResponder({});
    QString title;
    QString prompt;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(box));
        title = box->windowTitle();
        prompt = box->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(compute("-1"), "");
    EXPECT_EQ(title, "Ответ");
    EXPECT_EQ(prompt.toStdString(), rejected);
    EXPECT_EQ(focused(), "Text1");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the box closed";
}

}  // namespace
