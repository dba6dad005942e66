// strjoin through its real widgets: the blank window revealed by a click on it, joining texts
// exactly as typed, and Enter in the first box.
#include <QKeyEvent>
#include <QLabel>

#include "strjoin/strjoin.h"
#include "window_test.h"

namespace {

const char* const allControls[] = {"Label1", "Label2", "Label3", "Text1", "Text2", "Text3", "Command1"};

class StrjoinTest : public WindowTest {
protected:
    void SetUp() override { open(strjoin::project); }

    // A click on a free part of the window: below the captions' right ends, clear of every
    // control once they are shown.
    void clickWindow(QPoint at = QPoint(300, 10)) { QTest::mouseClick(window_->window(), Qt::LeftButton, {}, at); }
    void reveal() {
        clickWindow();
        ASSERT_FALSE(widget("Command1")->isHidden());
    }
    QString join(const QString& first, const QString& second) {
        textBox("Text1")->setText(first);
        textBox("Text2")->setText(second);
        click("Command1");
        return text("Text3");
    }
    // Types non-ASCII text as a keyboard with that layout would: one key event a character,
    // carrying its text (a character beyond 16 bits as its surrogate pair).
    void typeText(std::string_view name, const QString& text) {
        QWidget* box = widget(name);
        box->setFocus();
        for (qsizetype at = 0; at < text.size(); ++at) {
            const qsizetype length = text.at(at).isHighSurrogate() ? 2 : 1;
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text.mid(at, length));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text.mid(at, length));
            QApplication::sendEvent(box, &press);
            QApplication::sendEvent(box, &release);
            at += length - 1;
        }
    }
    std::vector<std::string> shown() const {
        std::vector<std::string> names;
        for (const char* name : allControls) {
            if (!widget(name)->isHidden()) names.emplace_back(name);
        }
        return names;
    }
};

TEST_F(StrjoinTest, OpensBlankAndAWindowClickRevealsEverythingWithoutFocus) {
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(focused(), "");
    // Where Command1 will stand: hidden, so the click is the window's.
    clickWindow(widget("Command1")->geometry().center());
    EXPECT_EQ(shown().size(), std::size(allControls));
    EXPECT_EQ(focused(), "") << "revealing moves no focus";
    QTest::keyClick(window_->window(), Qt::Key_Tab);
    EXPECT_EQ(focused(), "Text1") << "the first Tab goes to the lowest tab index";
    for (const char* name : {"Text1", "Text2", "Text3"}) EXPECT_TRUE(text(name).isEmpty()) << name;
    EXPECT_EQ(qobject_cast<QLabel*>(widget("Label1"))->text(), "первая объединяемая строка");
    EXPECT_EQ(qobject_cast<QLabel*>(widget("Label2"))->text(), "вторая объединяемая строка");
    EXPECT_EQ(qobject_cast<QLabel*>(widget("Label3"))->text(), "результат объединения");
    EXPECT_EQ(qobject_cast<QPushButton*>(widget("Command1"))->text(), "объединить!");
    EXPECT_EQ(widget("Text1")->accessibleName(), "первая объединяемая строка");
    EXPECT_EQ(widget("Text2")->accessibleName(), "вторая объединяемая строка");
    EXPECT_EQ(widget("Text3")->accessibleName(), "результат объединения");
    // Top to bottom: caption, box, caption, box, caption, box, button.
    const char* const downwards[] = {"Label1", "Text1", "Label2", "Text2", "Label3", "Text3", "Command1"};
    for (std::size_t index = 1; index < std::size(downwards); ++index) {
        EXPECT_LT(widget(downwards[index - 1])->y(), widget(downwards[index])->y()) << downwards[index];
    }
    EXPECT_TRUE(dialogs.seen().empty());
}

TEST_F(StrjoinTest, CaptionsFitTheirControls) {
    reveal();
    for (const char* name : {"Label1", "Label2", "Label3"}) {
        auto* label = qobject_cast<QLabel*>(widget(name));
        const QFontMetrics metrics(label->font());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width()) << name;
        EXPECT_LE(metrics.height(), label->height()) << name;
    }
    EXPECT_LE(widget("Command1")->sizeHint().width(), widget("Command1")->width());
    EXPECT_LE(widget("Command1")->sizeHint().height(), widget("Command1")->height());
}

TEST_F(StrjoinTest, FurtherWindowClicksChangeNothing) {
    reveal();
    textBox("Text1")->setText("abc");
    textBox("Text3")->setText("xyz");
    clickWindow();
    clickWindow(QPoint(5, 280));
    EXPECT_EQ(shown().size(), std::size(allControls));
    EXPECT_EQ(text("Text1"), "abc");
    EXPECT_EQ(text("Text3"), "xyz");
    EXPECT_EQ(focused(), "");
}

TEST_F(StrjoinTest, FailedRevealKeepsEarlierControlsShownAndTheRestHidden) {
    forms::testing::failControlCall("Text1", "Visible");
    clickWindow();
    EXPECT_EQ(shown(), (std::vector<std::string>{"Label1", "Label2", "Label3"}));
    ASSERT_EQ(dialogs.errorCount(), 1u);
    EXPECT_EQ(dialogs.seen().back().caption, "strjoin");
    EXPECT_EQ(dialogs.seen().back().prompt, "Ошибка выполнения 3: сбой вызова элемента управления");
    forms::testing::clearControlCallFailures();

    // A shown label keeps its click to itself: the rest stays hidden.
    click("Label1");
    click("Label3");
    EXPECT_EQ(shown().size(), 3u);

    forms::testing::failControlCall("Text2", "Visible");
    clickWindow();
    EXPECT_EQ(shown(), (std::vector<std::string>{"Label1", "Label2", "Label3", "Text1"}));
    forms::testing::clearControlCallFailures();
    // Nor does a shown text box pass its click on.
    click("Text1");
    EXPECT_EQ(shown().size(), 4u);
    EXPECT_EQ(focused(), "Text1") << "the box took the click itself";

    clickWindow();
    EXPECT_EQ(shown().size(), std::size(allControls)) << "the program went on";
    EXPECT_EQ(dialogs.errorCount(), 2u);
}

TEST_F(StrjoinTest, JoinsFirstThenSecondExactlyAsTyped) {
    reveal();
    type("Text1", "abc");
    type("Text2", "def");
    click("Command1");
    EXPECT_EQ(text("Text3"), "abcdef");
    EXPECT_EQ(text("Text1"), "abc");
    EXPECT_EQ(text("Text2"), "def");
    EXPECT_EQ(join("1", "2"), "12") << "joined, never added";
    EXPECT_EQ(join("  a ", " b  "), "  a  b  ") << "blanks stay";
    EXPECT_EQ(join("2.50", "E3"), "2.50E3");
    EXPECT_EQ(join("x", ""), "x");
    EXPECT_EQ(join("", "y"), "y");
    EXPECT_TRUE(dialogs.seen().empty());
}

TEST_F(StrjoinTest, ResultReplacesWhatTheThirdBoxHeld) {
    reveal();
    type("Text3", "typed by hand");
    EXPECT_EQ(join("", ""), "");
    EXPECT_EQ(join("ab", "cd"), "abcd");
    click("Command1");
    EXPECT_EQ(text("Text3"), "abcd") << "a second click gives the same text, not a longer one";
}

TEST_F(StrjoinTest, NonAsciiTextJoinsIntact) {
    reveal();
    typeText("Text1", QString::fromUtf8("привет, 日本 \xF0\x9F\x98\x80"));
    typeText("Text2", QString::fromUtf8("мир \xF0\x9F\x91\x8D"));
    EXPECT_EQ(text("Text1"), QString::fromUtf8("привет, 日本 \xF0\x9F\x98\x80")) << "typed into the box with a key handler";
    click("Command1");
    EXPECT_EQ(text("Text3"), QString::fromUtf8("привет, 日本 \xF0\x9F\x98\x80мир \xF0\x9F\x91\x8D"));
    EXPECT_EQ(join(QString::fromUtf8("ё\xCC\x81"), QString::fromUtf8("\xE2\x80\x8B\xEF\xBB\xBF")),
              QString::fromUtf8("ё\xCC\x81\xE2\x80\x8B\xEF\xBB\xBF"))
        << "combining marks and invisible characters pass through unchanged";
}

TEST_F(StrjoinTest, LongTextsAreNeverCut) {
    reveal();
    const QString first(100'000, QChar('a'));
    const QString second = QString::fromUtf8("я").repeated(100'000);
    const QString joined = join(first, second);
    ASSERT_EQ(joined.size(), 200'000);
    EXPECT_EQ(joined, first + second);
    EXPECT_TRUE(dialogs.seen().empty());
    // Two full boxes joined are more than the result box holds: a failed call, never a cut.
    const QString full(forms::MaxTextBoxLength, QChar('z'));
    EXPECT_EQ(join(full, full), joined) << "the result box keeps its text";
    EXPECT_EQ(dialogs.errorCount(), 1u);
}

TEST_F(StrjoinTest, EnterInTheFirstBoxMovesToTheSecondOnly) {
    reveal();
    type("Text1", "ab");
    pressEnter("Text1");
    EXPECT_EQ(focused(), "Text2");
    EXPECT_EQ(text("Text1"), "ab") << "Enter types nothing";
    type("Text2", "cd");
    pressEnter("Text2");
    EXPECT_EQ(focused(), "Text2");
    EXPECT_TRUE(text("Text3").isEmpty()) << "Enter never presses the button";
    widget("Text3")->setFocus();
    pressEnter("Text3");
    EXPECT_EQ(focused(), "Text3");
    EXPECT_TRUE(text("Text3").isEmpty());
}

TEST_F(StrjoinTest, FailedCallsStopTheHandlerThere) {
    reveal();
    EXPECT_EQ(join("old", "er"), "older");
    forms::testing::failControlCall("Text2", "Text");
    EXPECT_EQ(join("new", "er"), "older") << "a failed read leaves the result as it was";
    forms::testing::clearControlCallFailures();
    forms::testing::failControlCall("Text2", "SetFocus");
    type("Text1", "x");
    pressEnter("Text1");
    EXPECT_EQ(focused(), "Text1");
    EXPECT_EQ(dialogs.errorCount(), 2u);
}

}  // namespace
