// triexpr through its real window: the option buttons choose the path, the three input boxes
// are answered from a script (and once through the real dialogs), the message box is read.
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <vector>

#include "triexpr/triexpr.h"
#include "value.h"
#include "window_test.h"

namespace {

using forms::testing::DialogKind;

const std::string promptA = "Введите значение первой переменной";
const std::string promptB = "Введите значение второй переменной";
const std::string promptC = "Введите значение третьей переменной";
const std::string floatError = "Ошибка выполнения 4: ошибка операции с плавающей точкой";

// The message the program shows for an arithmetic value computed here in Double.
std::string arithmeticMessage(double value) { return "результат " + forms::textFromDouble(value); }

class TriexprTest : public WindowTest {
protected:
    void SetUp() override { open(triexpr::project); }

    // Answers the three input boxes, clicks "вычислять" and gives the last dialog's prompt.
    std::string evaluate(const std::string& a, const std::string& b, const std::string& c) {
        dialogs.clear();
        dialogs.answer(a).answer(b).answer(c);
        click("Command1");
        return dialogs.seen().empty() ? std::string() : dialogs.seen().back().prompt;
    }
    std::vector<DialogKind> kindsSeen() const {
        std::vector<DialogKind> kinds;
        for (const auto& request : dialogs.seen()) kinds.push_back(request.kind);
        return kinds;
    }
    const std::vector<DialogKind> threeInputsThenMessage{DialogKind::Input, DialogKind::Input, DialogKind::Input,
                                                         DialogKind::Message};
    const std::vector<DialogKind> threeInputsThenError{DialogKind::Input, DialogKind::Input, DialogKind::Input,
                                                       DialogKind::Error};
};

TEST_F(TriexprTest, OpensWithNoSelectionAndCaptionsThatFit) {
    EXPECT_EQ(window_->window()->windowTitle(), "Form1");
    EXPECT_FALSE(qobject_cast<QRadioButton*>(widget("Option1"))->isChecked());
    EXPECT_FALSE(qobject_cast<QRadioButton*>(widget("Option2"))->isChecked());
    for (const char* name : {"Command1", "Option1", "Option2"}) {
        QWidget* control = widget(name);
        EXPECT_LE(control->sizeHint().width(), control->width()) << name;
        EXPECT_LE(control->sizeHint().height(), control->height()) << name;
    }
    for (const char* name : {"Label2", "Label3"}) {
        auto* label = qobject_cast<QLabel*>(widget(name));
        const QFontMetrics metrics(label->font());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width()) << name;
        EXPECT_LE(metrics.height(), label->height()) << name;
    }
}

TEST_F(TriexprTest, EachPathAsksThreeNumbersInOrderThenShowsOneMessage) {
    for (const char* option : {"Option1", "Option2"}) {
        click(option);
        evaluate("1", "2", "3");
        ASSERT_EQ(kindsSeen(), threeInputsThenMessage) << option;
        EXPECT_EQ(dialogs.seen()[0].prompt, promptA);
        EXPECT_EQ(dialogs.seen()[1].prompt, promptB);
        EXPECT_EQ(dialogs.seen()[2].prompt, promptC);
        for (const auto& request : dialogs.seen()) EXPECT_EQ(request.caption, "triexpr") << request.prompt;
    }
}

TEST_F(TriexprTest, ArithmeticValueOfTheSingleAnswers) {
    click("Option1");
    EXPECT_EQ(evaluate("1", "2", "3"), arithmeticMessage(4));
    EXPECT_EQ(evaluate("-3", "4", "0.5"), arithmeticMessage(10)) << "A is squared";
    EXPECT_EQ(evaluate("2,5", "abc", "7"), arithmeticMessage(6.25)) << "no number reads 0";
    EXPECT_EQ(evaluate("", "", ""), "результат 0");
    // A is a Single: the square of the Single nearest 0.1, not 0.01.
    const double tenth = static_cast<double>(0.1f);
    EXPECT_EQ(evaluate("0.1", "0", "0"), arithmeticMessage(tenth * tenth));
    EXPECT_NE(evaluate("0.1", "0", "0"), arithmeticMessage(0.01));
    // B and C are Singles, but their half product stays a Double, beyond the Single range.
    const double twenty = static_cast<double>(1e20f);
    EXPECT_EQ(evaluate("0", "1E20", "1E20"), arithmeticMessage(twenty * twenty / 2));
    EXPECT_EQ(dialogs.seen().back().prompt.rfind("результат 5.0000002", 0), 0u) << dialogs.seen().back().prompt;
    EXPECT_EQ(kindsSeen(), threeInputsThenMessage);
}

TEST_F(TriexprTest, CancelledBoxesCountAsZero) {
    click("Option1");
    dialogs.answer("3").cancel().answer("5");
    click("Command1");
    EXPECT_EQ(dialogs.seen().back().prompt, arithmeticMessage(9));
    click("Option2");
    dialogs.clear();
    dialogs.cancel().cancel().cancel();
    click("Command1");
    EXPECT_EQ(dialogs.seen().back().prompt, "результат ложно");
}

TEST_F(TriexprTest, LogicalPathComparesSinglesStrictly) {
    struct Case {
        const char* name;
        const char* a;
        const char* b;
        const char* c;
        const char* result;
    };
    const Case cases[] = {
        {"descending", "3", "2", "1", "истинно"},
        {"ascending", "1", "2", "3", "ложно"},
        {"A equals B", "2", "2", "1", "ложно"},
        {"B equals C", "3", "2", "2", "ложно"},
        {"negative descending", "-1", "-2", "-3", "истинно"},
        {"equal once narrowed to Single", "1.00000001", "1", "0", "ложно"},
        {"all empty", "", "", "", "ложно"},
        {"largest Singles in range", "3.4028235E38", "3.4E38", "-3.4028235E38", "истинно"},
    };
    click("Option2");
    for (const Case& row : cases) {
        EXPECT_EQ(evaluate(row.a, row.b, row.c), std::string("результат ") + row.result) << row.name;
        EXPECT_EQ(kindsSeen(), threeInputsThenMessage) << row.name;
    }
}

// The logical path makes no floating-point check, so an answer beyond the Single range is the
// overflow error as soon as it is given: no infinity is ever compared.
TEST_F(TriexprTest, LogicalPathRejectsAnAnswerBeyondTheSingleRangeAtOnce) {
    const std::string overflow = "Ошибка выполнения 2: переполнение";
    click("Option2");
    EXPECT_EQ(evaluate("2E39", "1E39", "0"), overflow);
    EXPECT_EQ(kindsSeen(), (std::vector<DialogKind>{DialogKind::Input, DialogKind::Error})) << "no further box";
    EXPECT_EQ(dialogs.seen().back().caption, "triexpr");
    EXPECT_EQ(evaluate("5", "-1E39", "0"), overflow);
    EXPECT_EQ(kindsSeen(), (std::vector<DialogKind>{DialogKind::Input, DialogKind::Input, DialogKind::Error}));
    EXPECT_EQ(evaluate("3", "2", "1"), "результат истинно") << "the program goes on";
}

TEST_F(TriexprTest, NoSelectionTakesTheLogicalPathAndOption2IsNeverRead) {
    forms::testing::failControlCall("Option2", "Value");
    EXPECT_EQ(evaluate("3", "2", "1"), "результат истинно");
    EXPECT_EQ(evaluate("1", "2", "3"), "результат ложно");
    click("Option2");
    EXPECT_EQ(evaluate("3", "2", "1"), "результат истинно");
    EXPECT_EQ(dialogs.errorCount(), 0u);
}

// An answer beyond the Single range becomes an infinity whose overflow flag stays set through
// the later boxes and the square, so the check after the division reports it, whichever answer.
TEST_F(TriexprTest, AnswerBeyondSingleRangeIsAFloatingPointError) {
    click("Option1");
    const char* const answers[][3] = {
        {"1E39", "1", "1"}, {"-1E39", "0", "0"}, {"1", "1E39", "1"}, {"1", "1", "-1E39"}, {"0", "1E39", "0"}};
    for (const auto& row : answers) {
        EXPECT_EQ(evaluate(row[0], row[1], row[2]), floatError) << row[0] << " " << row[1] << " " << row[2];
        EXPECT_EQ(kindsSeen(), threeInputsThenError) << "no message box after the error";
        EXPECT_EQ(dialogs.seen().back().caption, "triexpr");
    }
    const double largest = static_cast<double>(3.4028235e38f);
    EXPECT_EQ(evaluate("3.4028235E38", "3.4028235E38", "3.4028235E38"), arithmeticMessage(largest * largest * 1.5))
        << "the largest Singles stay far inside the Double range; the program goes on";
}

TEST_F(TriexprTest, ErrorInsideArifmetikaIsRaisedAgainByTheClick) {
    click("Option1");
    dialogs.answer("1E400");
    testing::internal::CaptureStderr();
    click("Command1");
    const std::string logged = testing::internal::GetCapturedStderr();
    ASSERT_EQ(dialogs.seen().size(), 2u) << "the reading of the first answer already fails";
    EXPECT_EQ(dialogs.seen().back().prompt, "Ошибка выполнения 2: переполнение");
    EXPECT_NE(logged.find("Form1.arifmetika"), std::string::npos) << logged;
    // Called through the window, the same error comes back as a failed status.
    dialogs.answer("1E400");
    std::string result = "unchanged";
    EXPECT_EQ(forms::callPublic(form<triexpr::Form1>(), &triexpr::arifmetika, result), -2);
    EXPECT_EQ(result, "unchanged");
}

TEST_F(TriexprTest, FailedReadOfTheOptionAsksNothing) {
    forms::testing::failControlCall("Option1", "Value");
    click("Option1");
    click("Command1");
    ASSERT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(dialogs.seen().back().prompt, "Ошибка выполнения 3: сбой вызова элемента управления");
    forms::testing::clearControlCallFailures();
    EXPECT_EQ(evaluate("1", "2", "3"), arithmeticMessage(4)) << "the program goes on";
}

// The real dialogs, answered by keys: each new modal dialog gets the next step.
class TriexprRealDialogTest : public TriexprTest {
protected:
    void SetUp() override {
        forms::testing::setDialogResponder({});
        TriexprTest::SetUp();
    }
    void whenOpen(std::vector<std::function<void(QWidget*)>> steps) {
        steps_ = std::move(steps);
        next_ = 0;
        QObject::connect(&poller_, &QTimer::timeout, [this] { poll(); });
        poller_.start(10);
    }
    static void typeAndPress(QWidget* dialog, const QString& text, Qt::Key key) {
        QTest::keyClicks(dialog->focusWidget(), text);
        QTest::keyClick(dialog->focusWidget(), key);
    }
    // Caption, then the prompt or message, of each dialog in turn.
    static QString describeDialog(QWidget* dialog) {
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) return dialog->windowTitle() + "|" + box->text();
        return dialog->windowTitle() + "|" + dialog->findChild<QLabel*>()->text();
    }
    QStringList shown;

private:
    // A dialog handled once is marked, since the next one may reuse its address.
    void poll() {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || dialog->property("answered").toBool()) return;
        dialog->setProperty("answered", true);  // before waiting, which runs this timer again
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        shown.append(describeDialog(dialog));
        steps_[next_++](dialog);
        if (next_ == steps_.size()) poller_.stop();
    }
    QTimer poller_;  // stops with the test, so it never outlives it
    std::vector<std::function<void(QWidget*)>> steps_;
    std::size_t next_ = 0;
};

TEST_F(TriexprRealDialogTest, ThreeInputBoxesThenTheResult) {
    click("Option1");
    whenOpen({[](QWidget* box) { typeAndPress(box, "3", Qt::Key_Return); },
              [](QWidget* box) { typeAndPress(box, "7", Qt::Key_Escape); },
              [](QWidget* box) { typeAndPress(box, "5", Qt::Key_Return); },
              [](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); }});
    click("Command1");
    const QStringList expected{"triexpr|" + QString::fromStdString(promptA), "triexpr|" + QString::fromStdString(promptB),
                               "triexpr|" + QString::fromStdString(promptC), "triexpr|результат 9"};
    EXPECT_EQ(shown, expected) << "the cancelled second answer counts as 0";
}

TEST_F(TriexprRealDialogTest, RealDialogsKeepTheOverflowOfTheFirstAnswer) {
    click("Option1");
    whenOpen({[](QWidget* box) { typeAndPress(box, "1E39", Qt::Key_Return); },
              [](QWidget* box) { typeAndPress(box, "1", Qt::Key_Return); },
              [](QWidget* box) { typeAndPress(box, "1", Qt::Key_Return); },
              [](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); }});
    click("Command1");
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown.back(), "triexpr|" + QString::fromStdString(floatError));
}

}  // namespace
