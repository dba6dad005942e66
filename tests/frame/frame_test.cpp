// The frame and runtime through a small window of their own: the handler skeleton (failed
// calls, form variables, unbound events), focus and option rules, window clicks, colours and
// the floating-point status around control calls, public functions and dialogs.
#include <QAccessible>
#include <QClipboard>
#include <QFontDatabase>
#include <QLabel>
#include <QTimer>
#include <QToolTip>
#include <fstream>

#include "runtime.h"
#include "window_loading.h"
#include "window_test.h"

namespace {

using forms::ControlKind, forms::Event;

class Form1 : public forms::Form {
public:
    using Form::Form;
    forms::TextBox text1() { return textBox("Text1"); }
    forms::TextBox text2() { return textBox("Text2"); }
    forms::TextBox text3() { return textBox("Text3"); }
    forms::TextBox hidden() { return textBox("Hidden"); }
    forms::TextBox misnamed() { return textBox("Label1"); }

    forms::Variant variant;
    double number = 1;  // overwritten: numbers start at 0 with the window
    std::int16_t count = 0;
    std::int16_t lastKey = 0;
    bool flaggedAfterCall = true;
    bool flaggedAfterFunction = false;
    bool flaggedAfterDialog = false;
};

constexpr forms::ControlDescription controls[] = {
    {"Command1", ControlKind::CommandButton, "три записи", 120, 1200, 1500, 400, 3},
    {"Command2", ControlKind::CommandButton, "флаги", 1800, 1200, 1500, 400, 4},
    {"Command3", ControlKind::CommandButton, "без обработчика", 3500, 1200, 1500, 400, 5},
    {"Text1", ControlKind::TextBox, "", 120, 400, 1500, 300, 1},
    {"Text2", ControlKind::TextBox, "", 1800, 400, 1500, 300, 2},
    {"Text3", ControlKind::TextBox, "", 3500, 400, 1500, 300, 0, forms::Hidden},
    {"Hidden", ControlKind::TextBox, "", 3500, 800, 1500, 300, 9, forms::Hidden},
    {"Option1", ControlKind::OptionButton, "один", 120, 1800, 1500, 400, 6},
    {"Option2", ControlKind::OptionButton, "два", 1800, 1800, 1500, 400, 7},
    {"Label1", ControlKind::Label, "подпись", 120, 100, 1500, 250, 8},
};
constexpr forms::WindowDescription window{"Проба", 6000, 3000, controls};

// Writes three boxes in turn; a failure in the middle must keep the first write only.
void writeThree(Form1& form) {
    form.text1().setText("один");
    form.text2().setText("два");
    form.text3().setText("три");
    ++form.count;
}

double overflowing(Form1& form) { return form.number * 1e308 * 10; }

// Raises the overflow flag, then observes what a control call, a public function call and a
// dialog do to it.
void observeFlags(Form1& form) {
    form.number = 1e308;
    double result = overflowing(form);
    forms::pinFloat(result);
    form.text2().text();
    form.flaggedAfterCall = forms::floatErrorFlagged();
    double fromFunction = 0;
    forms::callPublic(form, &overflowing, fromFunction);
    form.flaggedAfterFunction = forms::floatErrorFlagged();
    forms::messageBox("флаг");
    form.flaggedAfterDialog = forms::floatErrorFlagged();
    forms::checkFloatStatus(fromFunction);
}

void windowClick(Form1& form) { form.text3().setVisible(true); }

void recordKey(Form1& form, std::int16_t& keyCode) {
    form.lastKey = keyCode;
    if (keyCode == '!') keyCode = 0;  // swallowed
}

void focusHidden(Form1& form) { form.hidden().setFocus(); }
void useMisnamed(Form1& form) { form.misnamed().setText("x"); }

constexpr forms::Binding bindings[] = {
    forms::bind<writeThree>("Command1", Event::Click),
    forms::bind<observeFlags>("Command2", Event::Click),
    forms::bind<windowClick>("Form1", Event::Click),
    forms::bind<recordKey>("Text1", Event::KeyPress),
    forms::bind<focusHidden>("Option1", Event::Click),
    forms::bind<useMisnamed>("Option2", Event::Click),
};

const forms::Project project{.title = "проба", .window = window, .bindings = bindings, .createForm = forms::formOf<Form1>};

class FrameTest : public WindowTest {
protected:
    void SetUp() override { open(project); }
};

TEST_F(FrameTest, ClientAreaAndControlsHaveTheDescribedSizeInTwips) {
    const double dotsPerInch = window_->window()->logicalDpiX();
    const auto pixels = [dotsPerInch](int twips) { return static_cast<int>(std::lround(twips * dotsPerInch / 1440)); };
    EXPECT_EQ(window_->window()->size(), QSize(pixels(6000), pixels(3000)));
    EXPECT_EQ(widget("Text2")->geometry(), QRect(pixels(1800), pixels(400), pixels(1500), pixels(300)));
}

TEST_F(FrameTest, FormVariablesStartAtZeroAndEmpty) {
    EXPECT_TRUE(std::holds_alternative<forms::Empty>(form<Form1>().variant));
    EXPECT_EQ(form<Form1>().count, 0);
}

TEST_F(FrameTest, FailedCallKeepsEarlierEffectsAndStopsLaterOnes) {
    forms::testing::failControlCall("Text2", "Text");
    click("Command1");
    EXPECT_EQ(text("Text1"), "один");
    EXPECT_EQ(text("Text2"), "");
    EXPECT_EQ(text("Text3"), "");
    EXPECT_EQ(form<Form1>().count, 0);
    ASSERT_EQ(dialogs.errorCount(), 1u);
    EXPECT_EQ(dialogs.seen()[0].caption, "проба");

    forms::testing::clearControlCallFailures();
    click("Command1");
    EXPECT_EQ(text("Text3"), "три") << "the program went on";
    EXPECT_EQ(form<Form1>().count, 1) << "form variables are kept between events";
}

TEST_F(FrameTest, UnboundEventsChangeNothing) {
    click("Command3");
    click("Label1");  // a label's click is not the window's
    EXPECT_TRUE(widget("Text3")->isHidden());
    type("Text2", "abc");
    pressEnter("Text2");
    EXPECT_EQ(text("Text2"), "abc");
    EXPECT_TRUE(dialogs.seen().empty());
    QTest::mouseClick(window_->window(), Qt::LeftButton, {}, QPoint(300, 180));
    EXPECT_FALSE(widget("Text3")->isHidden()) << "a click on the free window is the window's";
}

TEST_F(FrameTest, FirstFocusFollowsTabIndexSkippingHiddenControls) {
    EXPECT_EQ(focused(), "Text1") << "Text3 has tab index 0 but is hidden";
    QTest::keyClick(widget("Text1"), Qt::Key_Tab);
    EXPECT_EQ(focused(), "Text2");
}

TEST_F(FrameTest, SetFocusOnAHiddenControlIsARunTimeError) {
    click("Option1");
    ASSERT_EQ(dialogs.errorCount(), 1u);
    EXPECT_EQ(dialogs.seen()[0].prompt, "Ошибка выполнения 3: сбой вызова элемента управления");
}

TEST_F(FrameTest, AMisnamedControlIsAnErrorThatNamesIt) {
    testing::internal::CaptureStderr();
    click("Option2");
    const std::string logged = testing::internal::GetCapturedStderr();
    ASSERT_EQ(dialogs.errorCount(), 1u);
    EXPECT_EQ(dialogs.seen()[0].prompt, "Ошибка выполнения 5: элемент управления не найден");
    EXPECT_NE(logged.find("Label1"), std::string::npos) << logged;
    EXPECT_EQ(std::count(logged.begin(), logged.end(), '\n'), 1) << "one line on stderr";
}

// A handler bound to a control the window lacks, or to an event its control never raises,
// would silently never run: loading the window says which binding it is.
TEST(FrameBindings, ABindingThatCannotBeDeliveredIsNamedWhenTheWindowLoads) {
    const auto loadError = [](const forms::Binding& binding) -> std::string {
        const forms::Binding bound[] = {binding};
        const forms::Project bad{.title = "проба", .window = window, .bindings = bound, .createForm = forms::formOf<Form1>};
        try {
            forms::detail::checkBindings(bad);
        } catch (const forms::detail::BindingError& error) {
            return error.what();
        }
        return "";
    };
    EXPECT_EQ(loadError(forms::bind<writeThree>("Command9", Event::Click)),
              "проба: the handler bound to Command9 Click: the window has no control of that name");
    EXPECT_EQ(loadError(forms::bind<recordKey>("Command1", Event::KeyPress)),
              "проба: the handler bound to Command1 KeyPress: a CommandButton never raises it");
    EXPECT_EQ(loadError(forms::bind<recordKey>("Form1", Event::KeyPress)),
              "проба: the handler bound to Form1 KeyPress: the window raises no KeyPress");
    EXPECT_EQ(loadError(forms::bind<windowClick>("Form1", Event::Click)), "");
    // Loading the window makes the check.
    const forms::Binding misbound[] = {forms::bind<writeThree>("Command9", Event::Click)};
    const forms::Project bad{.title = "проба", .window = window, .bindings = misbound, .createForm = forms::formOf<Form1>};
    EXPECT_THROW(forms::testing::OpenWindow{bad}, forms::detail::BindingError);
}

TEST_F(FrameTest, OptionButtonsFormOneGroupAndTabDoesNotSelect) {
    auto* option1 = qobject_cast<QRadioButton*>(widget("Option1"));
    auto* option2 = qobject_cast<QRadioButton*>(widget("Option2"));
    widget("Command3")->setFocus();
    QTest::keyClick(widget("Command3"), Qt::Key_Tab);
    EXPECT_EQ(focused(), "Option1");
    EXPECT_FALSE(option1->isChecked());
    QTest::keyClick(widget("Option1"), Qt::Key_Tab);
    EXPECT_EQ(focused(), "Text1") << "a group without a selection is one stop, round the end";
    option1->setChecked(true);
    option2->setChecked(true);
    EXPECT_FALSE(option1->isChecked());
}

TEST_F(FrameTest, KeyPressSeesTheKeyCodeAndMaySwallowIt) {
    type("Text1", "a!");
    EXPECT_EQ(text("Text1"), "a");
    EXPECT_EQ(form<Form1>().lastKey, '!');
    pressEnter("Text1");
    EXPECT_EQ(form<Form1>().lastKey, 13);
}

TEST_F(FrameTest, EnterOnAFocusedButtonPressesItButNotFromATextBox) {
    pressEnter("Text2");
    EXPECT_EQ(form<Form1>().count, 0);
    widget("Command1")->setFocus();
    pressEnter("Command1");
    QTest::keyClick(widget("Command1"), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(form<Form1>().count, 2);
}

// A key as the keyboard sends it to the focus widget of the window `target`, pressed (perhaps as the
// toolkit's flagged repeat) or released.
void sendKey(QWidget* target, QEvent::Type type, Qt::Key key, bool repeatFlagged = false) {
    QKeyEvent event(type, key, Qt::NoModifier, key == Qt::Key_Return ? "\r" : " ", repeatFlagged);
    QApplication::sendEvent(target->focusWidget(), &event);
}

// Held down, Enter and Space press a button once, whether or not the toolkit flags the repeats.
TEST_F(FrameTest, HeldEnterOrSpacePressesAButtonOnce) {
    widget("Command1")->setFocus();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        form<Form1>().count = 0;
        QWidget* target = window_->window();
        sendKey(target, QEvent::KeyPress, key);
        sendKey(target, QEvent::KeyPress, key, true);
        sendKey(target, QEvent::KeyPress, key, false);  // a repeat the toolkit did not flag
        sendKey(target, QEvent::KeyRelease, key);
        EXPECT_EQ(form<Form1>().count, 1) << "held " << key;
        sendKey(target, QEvent::KeyPress, key);
        sendKey(target, QEvent::KeyRelease, key);
        EXPECT_EQ(form<Form1>().count, 2) << "pressed again " << key;
    }
}

// A paste takes the first line that is not empty, so a number copied after a line break arrives.
TEST_F(FrameTest, PasteTakesTheFirstLineThatIsNotEmpty) {
    QLineEdit* box = textBox("Text1");
    box->setFocus();
    QApplication::clipboard()->setText("\r\n99\n100");
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), "99");
}

// Resident memory of this process in kilobytes.
long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return 0;
}

// A paste far beyond the limit is refused before anything is inserted: it leaves no memory
// behind (inserting it first kept an undo step per character, some 18 bytes each).
TEST_F(FrameTest, RefusedPasteLeavesNoMemoryBehind) {
    QLineEdit* box = textBox("Text1");
    box->setFocus();
    QApplication::clipboard()->setText(QString(4 << 20, QChar('7')));
    const long before = residentKilobytes();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(box->text().isEmpty());
    EXPECT_LT(residentKilobytes() - before, 8 * 1024) << "kilobytes kept after refusing 4 MB";
    QApplication::clipboard()->clear();
}

TEST_F(FrameTest, ScreenReadersSeeAWindowWithTextBoxesLabelledByTheirLabels) {
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window_->window())->role(), QAccessible::Window);
    const auto labels = QAccessible::queryAccessibleInterface(widget("Text1"))->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0].first->object(), widget("Label1"));
}

TEST_F(FrameTest, ControlCallClearsTheFlagsPublicFunctionAndDialogKeepThem) {
    click("Command2");
    EXPECT_FALSE(form<Form1>().flaggedAfterCall);
    EXPECT_TRUE(form<Form1>().flaggedAfterFunction);
    EXPECT_TRUE(form<Form1>().flaggedAfterDialog);
    ASSERT_EQ(dialogs.errorCount(), 1u);
    EXPECT_EQ(dialogs.seen().back().prompt, "Ошибка выполнения 4: ошибка операции с плавающей точкой");
}

TEST_F(FrameTest, BackColorLandsOnTheScreen) {
    form<Form1>().setBackColor(forms::colorFromRgb(0, 0, 150));
    EXPECT_EQ(form<Form1>().backColor(), forms::colorFromRgb(0, 0, 150));
    const QImage shot = window_->window()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, shot.height() - 5), QColor(0, 0, 150));
}

// The real dialogs, driven by keys while they are open.
// A box holds MaxTextBoxLength characters. An edit that would go beyond is refused whole with a
// notice at the box (a long paste is never cut), and so is a program's longer Text.
TEST_F(FrameTest, TextBoxRefusesWholeWhatWouldGoBeyondItsLimit) {
    QLineEdit* box = textBox("Text2");
    const auto paste = [box](const QString& text) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    };
    const QString notice = QString::fromUtf8(forms::TextTooLongNotice.data());
    box->setFocus();
    paste(QString(forms::MaxTextBoxLength - 1, QChar('7')));
    ASSERT_EQ(box->text().size(), forms::MaxTextBoxLength - 1);
    paste("12");
    EXPECT_EQ(box->text().size(), forms::MaxTextBoxLength - 1) << "refused whole, not cut to fit";
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), notice);
    QTest::keyClick(box, Qt::Key_1);
    EXPECT_EQ(box->text().size(), forms::MaxTextBoxLength) << "the last character that fits";
    QTest::keyClick(box, Qt::Key_2);
    EXPECT_EQ(box->text().size(), forms::MaxTextBoxLength);
    EXPECT_TRUE(box->text().endsWith("71"));

    form<Form1>().text1().setText("kept");
    EXPECT_THROW(form<Form1>().text1().setText(std::string(forms::MaxTextBoxLength + 1, 'x')), forms::RuntimeError);
    EXPECT_EQ(text("Text1"), "kept");
    form<Form1>().text1().setText(std::string(forms::MaxTextBoxLength, 'x'));
    EXPECT_EQ(text("Text1").size(), forms::MaxTextBoxLength);
}

class RealDialogTest : public FrameTest {
protected:
    void SetUp() override {
        forms::testing::setDialogResponder({});
        FrameTest::SetUp();
    }
    // Runs `keys` on the dialog once it is the active modal window, then returns.
    void whenOpen(std::function<void(QWidget*)> keys) {
        QTimer::singleShot(0, [keys] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
            captured = dialog->windowTitle();
            capturedWidth = dialog->width();
            keys(dialog);
        });
    }
    static inline QString captured;
    static inline int capturedWidth = 0;
};

TEST_F(RealDialogTest, MessageBoxCarriesTheTitleAndClosesWithEnter) {
    whenOpen([](QWidget* dialog) {
        QTest::keyClick(dialog, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    EXPECT_EQ(forms::messageBox("Сумма равна 5!", 0, "Ответ"), 1);
    EXPECT_EQ(captured, "Ответ");
    EXPECT_EQ(QApplication::clipboard()->text(), "Ответ\n\nСумма равна 5!\n");
}

TEST_F(RealDialogTest, MessageBoxIsWideEnoughForItsWholeCaption) {
    const QString caption = "заголовок окна сообщения, намного длиннее его текста";
    whenOpen([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
    forms::messageBox("результат 3", 0, caption.toStdString());
    const QFontMetrics title(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    EXPECT_GT(capturedWidth, title.horizontalAdvance(caption));
}

// Enter held down when a box opens: its repeats do not answer the box; the next press does.
TEST_F(RealDialogTest, RepeatsOfAKeyHeldWhenABoxOpensDoNotAnswerIt) {
    widget("Command3")->setFocus();
    sendKey(window_->window(), QEvent::KeyPress, Qt::Key_Return);
    bool stillOpen = false;
    whenOpen([&stillOpen](QWidget* dialog) {
        sendKey(dialog, QEvent::KeyPress, Qt::Key_Return, true);
        sendKey(dialog, QEvent::KeyPress, Qt::Key_Return, false);
        stillOpen = QApplication::activeModalWidget() == dialog;
        sendKey(dialog, QEvent::KeyRelease, Qt::Key_Return);
        sendKey(dialog, QEvent::KeyPress, Qt::Key_Return);
        sendKey(dialog, QEvent::KeyRelease, Qt::Key_Return);
    });
    forms::messageBox("5");
    EXPECT_TRUE(stillOpen);
}

TEST_F(RealDialogTest, InputBoxGivesTheTypedTextOrEmptyOnCancel) {
    whenOpen([](QWidget* dialog) {
        ASSERT_NE(qobject_cast<QLineEdit*>(dialog->focusWidget()), nullptr) << "the field has the focus";
        EXPECT_EQ(dialog->focusWidget()->accessibleName(), "Введите значение") << "named by its prompt";
        QTest::keyClicks(dialog->focusWidget(), "2,5");
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(forms::inputBox("Введите значение"), "2,5");
    EXPECT_EQ(captured, "проба");
    whenOpen([](QWidget* dialog) {
        QTest::keyClicks(dialog->focusWidget(), "7");
        QTest::keyClick(dialog->focusWidget(), Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
    });
    EXPECT_EQ(forms::inputBox("Введите значение"), "");
    EXPECT_EQ(QApplication::clipboard()->text(), "проба\n\nВведите значение\n")
        << "with nothing selected, Ctrl+C copies the box's caption and prompt";
}

}  // namespace
