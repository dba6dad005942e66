// addreveal through its real window: revealing the fields, typing, Enter, and the sum's
// message box (answered from a script, and once through the real dialog).
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "addreveal/addreveal.h"
#include "value.h"
#include "window_test.h"

namespace {

using forms::testing::DialogKind;

const char* const revealed[] = {"Label1", "Text1", "Label2", "Text2", "Command1"};  // top to bottom
const std::string floatError = "Ошибка выполнения 4: ошибка операции с плавающей точкой";

class AddrevealTest : public WindowTest {
protected:
    void SetUp() override { open(addreveal::project); }

    // Reveals the fields, types A and B, clicks "Вычислить" and gives the last dialog's prompt.
    std::string add(const QString& a, const QString& b) {
        click("Command2");
        type("Text1", a);
        type("Text2", b);
        dialogs.clear();
        click("Command1");
        return dialogs.seen().empty() ? std::string() : dialogs.seen().back().prompt;
    }
};

TEST_F(AddrevealTest, OpensWithOnlyPokazatShownAndFocused) {
    EXPECT_EQ(window_->window()->windowTitle(), "Form1");
    EXPECT_TRUE(widget("Command2")->isVisible());
    for (const char* name : revealed) EXPECT_FALSE(widget(name)->isVisible()) << name;
    EXPECT_EQ(focused(), "Command2");
    QTest::keyClick(widget("Command2"), Qt::Key_Tab);
    EXPECT_EQ(focused(), "Command2") << "nothing hidden takes the focus";
}

TEST_F(AddrevealTest, PokazatRevealsCaptionedEmptyBoxesAndFocusesTheFirst) {
    click("Command2");
    int previousBottom = 0;
    for (const char* name : revealed) {
        EXPECT_TRUE(widget(name)->isVisible()) << name;
        EXPECT_GE(widget(name)->y(), previousBottom) << name << " lies below the one before";
        previousBottom = widget(name)->geometry().bottom();
    }
    EXPECT_GE(widget("Command2")->y(), previousBottom);
    EXPECT_EQ(qobject_cast<QLabel*>(widget("Label1"))->text(), "Первое слагаемое");
    EXPECT_EQ(qobject_cast<QLabel*>(widget("Label2"))->text(), "Второе слагаемое");
    EXPECT_TRUE(text("Text1").isEmpty());
    EXPECT_TRUE(text("Text2").isEmpty());
    EXPECT_EQ(focused(), "Text1");
    EXPECT_TRUE(dialogs.seen().empty());
}

TEST_F(AddrevealTest, CaptionsFitTheirControls) {
    click("Command2");
    for (const char* name : {"Command1", "Command2"}) {
        EXPECT_LE(widget(name)->sizeHint().width(), widget(name)->width()) << name;
        EXPECT_LE(widget(name)->sizeHint().height(), widget(name)->height()) << name;
    }
    for (const char* name : {"Label1", "Label2"}) {
        auto* label = qobject_cast<QLabel*>(widget(name));
        const QFontMetrics metrics(label->font());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width()) << name;
        EXPECT_LE(metrics.height(), label->height()) << name;
    }
}

TEST_F(AddrevealTest, PokazatAgainKeepsTheTextsAndRefocusesTheFirstBox) {
    click("Command2");
    type("Text1", "12");
    type("Text2", "30");
    click("Command2");
    EXPECT_EQ(text("Text1"), "12");
    EXPECT_EQ(text("Text2"), "30");
    EXPECT_EQ(focused(), "Text1");
    for (const char* name : revealed) EXPECT_TRUE(widget(name)->isVisible()) << name;
}

TEST_F(AddrevealTest, SumIsShownOnceWithTheProgramTitle) {
    EXPECT_EQ(add("2", "3"), "Сумма равна 5!");
    ASSERT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(dialogs.seen()[0].kind, DialogKind::Message);
    EXPECT_EQ(dialogs.seen()[0].caption, "addreveal");
    EXPECT_EQ(text("Text1"), "2") << "both boxes keep their text";
    EXPECT_EQ(text("Text2"), "3");
}

// Both addends are narrowed to Single before a single-precision sum.
TEST_F(AddrevealTest, AddsInSinglePrecision) {
    struct Case {
        const char* name;
        const char* a;
        const char* b;
        const char* message;
    };
    const Case cases[] = {
        {"both empty", "", "", "Сумма равна 0!"},
        {"no number reads 0", "abc", "2,5", "Сумма равна 2.5!"},
        {"A loses its last bit", "16777217", "0", "Сумма равна 16777216!"},
        {"Single nearest 0.3, not the Double sum", "0.1", "0.2", "Сумма равна 0.3!"},
        {"tiny B becomes 0 without error", "7", "1E-50", "Сумма равна 7!"},
        {"largest Single", "3.4028235E38", "0", "Сумма равна 3.4028235E+38!"},
        {"rounds down to the largest Single", "3.40282356E38", "0", "Сумма равна 3.4028235E+38!"},
        {"3.4E38 is within range", "3.4E38", "0", "Сумма равна 3.4E+38!"},
    };
    for (const Case& row : cases) {
        EXPECT_EQ(add(row.a, row.b), row.message) << row.name;
        EXPECT_EQ(dialogs.errorCount(), 0u) << row.name;
    }
}

// The check sees B's narrowing and the sum; then no message box is shown.
TEST_F(AddrevealTest, OverflowInBOrTheSumIsAFloatingPointError) {
    const char* const pairs[][2] = {{"1", "1E39"}, {"3E38", "3E38"}, {"-3E38", "-3E38"}, {"-1", "-1E39"}};
    for (const auto& pair : pairs) {
        EXPECT_EQ(add(pair[0], pair[1]), floatError) << pair[0] << " + " << pair[1];
        ASSERT_EQ(dialogs.seen().size(), 1u) << "the error box alone";
        EXPECT_EQ(dialogs.seen()[0].caption, "addreveal");
    }
    EXPECT_EQ(add("1E400", "1"), "Ошибка выполнения 2: переполнение") << "beyond Double: the reading fails";
    EXPECT_EQ(add("1", "1"), "Сумма равна 2!") << "the program goes on";
}

// A is read before Text2, whose read clears the flags, so A gets a range check of its own: a
// typed A beyond the Single range is the overflow error, never an infinite sum.
TEST_F(AddrevealTest, ABeyondTheSingleRangeIsAnOverflowError) {
    const std::string overflow = "Ошибка выполнения 2: переполнение";
    for (const char* a : {"3.5E38", "1E39", "-1E39"}) {
        EXPECT_EQ(add(a, "1"), overflow) << a;
        ASSERT_EQ(dialogs.seen().size(), 1u) << "the error box alone, no sum";
        EXPECT_EQ(dialogs.seen()[0].caption, "addreveal");
        EXPECT_EQ(text("Text1"), a) << "what the user typed stays";
    }
    EXPECT_EQ(add("3.4E38", "1"), "Сумма равна 3.4E+38!") << "the program goes on";
}

TEST_F(AddrevealTest, EnterMovesFromTheFirstBoxToTheSecondOnly) {
    click("Command2");
    type("Text1", "4");
    pressEnter("Text1");
    EXPECT_EQ(focused(), "Text2");
    EXPECT_EQ(text("Text1"), "4") << "Enter types nothing";
    type("Text2", "5");
    pressEnter("Text2");
    EXPECT_EQ(focused(), "Text2");
    EXPECT_EQ(text("Text2"), "5");
    EXPECT_TRUE(dialogs.seen().empty()) << "Enter never presses a button";
}

TEST_F(AddrevealTest, FailedRevealKeepsWhatWasShownBefore) {
    forms::testing::failControlCall("Text2", "Visible");
    click("Command2");
    ASSERT_EQ(dialogs.errorCount(), 1u);
    EXPECT_EQ(dialogs.seen()[0].prompt, "Ошибка выполнения 3: сбой вызова элемента управления");
    for (const char* name : {"Label1", "Label2", "Text1"}) EXPECT_TRUE(widget(name)->isVisible()) << name;
    EXPECT_FALSE(widget("Text2")->isVisible());
    EXPECT_FALSE(widget("Command1")->isVisible());
    EXPECT_EQ(focused(), "Command2") << "the focus moves last";
    forms::testing::clearControlCallFailures();
    click("Command2");
    EXPECT_TRUE(widget("Command1")->isVisible());
    EXPECT_EQ(focused(), "Text1");
}

TEST_F(AddrevealTest, FailedReadOfTheSecondBoxShowsNoSum) {
    forms::testing::failControlCall("Text2", "Text");
    EXPECT_EQ(add("1", "2"), "Ошибка выполнения 3: сбой вызова элемента управления");
    EXPECT_EQ(dialogs.seen().size(), 1u);
}

TEST_F(AddrevealTest, TheSumThroughTheRealMessageBox) {
    forms::testing::setDialogResponder({});
    click("Command2");
    type("Text1", "0.1");
    type("Text2", "0.2");
    QString shown;
    QTimer::singleShot(0, [&shown] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(box));
        shown = box->windowTitle() + "|" + qobject_cast<QMessageBox*>(box)->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    click("Command1");
    EXPECT_EQ(shown, "addreveal|Сумма равна 0.3!");
}

}  // namespace
