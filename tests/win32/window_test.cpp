// The Win32 backend through real windows, driven by the messages a user's input makes: typed
// characters and keys into the focused control, mouse clicks sent where the system's hit testing
// sends them, and the dialogs answered by a script or, once each, through the real dialog.
// What the programs compute is tested through the Qt backend; here only what this backend adds.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "layout.h"
#include "runtime.h"
#include "sumdiff/sumdiff.h"
#include "testing.h"
#include "triexpr/triexpr.h"
#include "win32/later_windows.h"
#include "win32/system.h"
#include "win32/open_window.h"

namespace {

using forms::ControlKind, forms::Event;
using forms::testing::processPendingMessages;

using forms::detail::win32::wide;
using forms::detail::win32::windowText;

bool selected(HWND option) { return SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Opens the clipboard once no other program holds it: a clipboard manager (under wine, the one
// that hands each change to the X server) keeps it open for a moment after every change.
bool openClipboard() {
    for (int attempt = 0; attempt < 500; ++attempt) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(20);
    }
    return false;
}

void setClipboard(const std::wstring& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    ASSERT_TRUE(openClipboard()) << "another program held the clipboard open for 10 s";
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

std::wstring clipboardText() {
    std::wstring text;
    if (!openClipboard()) {
        ADD_FAILURE() << "another program held the clipboard open for 10 s";
        return text;
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// The tests' windows live on a desktop of this process's own, so that windows of other programs
// on the same display (tests running beside these) neither cover them nor take their activation.
const bool onOwnDesktop = [] {
    const std::wstring name = L"forms-win32-tests-" + std::to_wstring(GetCurrentProcessId());
    HDESK desktop = CreateDesktopW(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    return desktop && SetThreadDesktop(desktop);
}();

class Win32WindowTest : public ::testing::Test {
protected:
    void open(const forms::Project& project) {
        ASSERT_TRUE(onOwnDesktop);
        window_ = std::make_unique<forms::testing::OpenWindow>(project);
        processPendingMessages();
    }
    void TearDown() override {
        forms::testing::clearControlCallFailures();
        window_.reset();
        processPendingMessages();
    }

    HWND control(std::string_view name) const {
        HWND handle = window_->control(name);
        EXPECT_NE(handle, nullptr) << "no control named " << name;
        return handle;
    }
    // Input goes to the active window; a window of another program on the display may have
    // taken the activation meanwhile, as a user switching windows would. Activated again, the
    // window gives the focus back to the control that had it.
    void activate() {
        HWND window = window_->window();
        if (GetActiveWindow() == window) return;
        SetForegroundWindow(window);
        SetActiveWindow(window);
        processPendingMessages();
    }
    // Characters as the keyboard types them into the focused control.
    void type(const std::wstring& text) {
        activate();
        for (const wchar_t character : text) PostMessageW(GetFocus(), WM_CHAR, character, 1);
        processPendingMessages();
    }
    // A key pressed and released on the focused control; the loop translates it.
    void press(WPARAM key) {
        activate();
        HWND focus = GetFocus();
        const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(focus, WM_KEYDOWN, key, scan | 1);
        PostMessageW(focus, WM_KEYUP, key, scan | 1 | 0xC0000000);
        processPendingMessages();
    }
    // A left click at a point of the window's client area, delivered to the window the system's
    // hit testing picks there (a control, or the window itself).
    void clickAt(POINT client) {
        activate();
        POINT screen = client;
        ClientToScreen(window_->window(), &screen);
        HWND target = WindowFromPoint(screen);
        POINT local = screen;
        ScreenToClient(target, &local);
        const LPARAM where = MAKELPARAM(local.x, local.y);
        PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, where);
        PostMessageW(target, WM_LBUTTONUP, 0, where);
        processPendingMessages();
    }
    // A click in the middle of a control.
    void click(std::string_view name) {
        RECT bounds{};
        GetWindowRect(control(name), &bounds);
        POINT centre{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
        ScreenToClient(window_->window(), &centre);
        clickAt(centre);
    }
    HWND focused() {
        activate();
        return GetFocus();
    }
    template <class F>
    F& form() {
        return window_->formAs<F>();
    }

    forms::testing::ScriptedDialogs dialogs;
    std::unique_ptr<forms::testing::OpenWindow> window_;
};

// sumdiff's whole computation with the keyboard and the mouse: first focus, Enter moving on,
// Tab not selecting an option button, a click selecting one, the command button's Click.
TEST_F(Win32WindowTest, SumdiffComputesWithKeyboardAndMouse) {
    open(sumdiff::project);
    EXPECT_EQ(focused(), control("Text1")) << "first in tab order";
    EXPECT_FALSE(selected(control("Option1")) || selected(control("Option2"))) << "none selected at start";

    type(L"2");
    press(VK_RETURN);
    EXPECT_EQ(focused(), control("Text2")) << "Enter in Text1 moves on";
    EXPECT_EQ(windowText(control("Text1")), L"2") << "Enter types nothing";
    type(L"3");
    press(VK_TAB);
    EXPECT_EQ(focused(), control("Text3"));
    press(VK_TAB);
    EXPECT_EQ(focused(), control("Option1"));
    EXPECT_FALSE(selected(control("Option1"))) << "Tab onto an option button does not select it";

    click("Option1");
    EXPECT_TRUE(selected(control("Option1")));
    click("Command1");
    EXPECT_EQ(windowText(control("Text3")), L"5");

    // Arrows move within the group and select; Enter presses the focused command button.
    SetFocus(control("Option1"));
    press(VK_DOWN);
    EXPECT_EQ(focused(), control("Option2"));
    EXPECT_TRUE(selected(control("Option2")));
    EXPECT_FALSE(selected(control("Option1")));
    SetFocus(control("Command1"));
    press(VK_RETURN);
    EXPECT_EQ(windowText(control("Text3")), L"-1");
    EXPECT_EQ(dialogs.errorCount(), 0u);
}

TEST_F(Win32WindowTest, WindowHasTheDescribedClientSizeAndNamesBoxesByTheirLabels) {
    open(sumdiff::project);
    HWND window = window_->window();
    RECT client{};
    GetClientRect(window, &client);
    const UINT dpi = forms::detail::win32::windowDpi(window);
    EXPECT_EQ(client.right, forms::detail::pixelsFromTwips(7560, dpi));
    EXPECT_EQ(client.bottom, forms::detail::pixelsFromTwips(4755, dpi));
    // Screen readers take an edit's name from the label right before it in z-order.
    EXPECT_EQ(GetWindow(control("Text1"), GW_HWNDPREV), control("Label1"));
    EXPECT_EQ(GetWindow(control("Text2"), GW_HWNDPREV), control("Label2"));

    // Moved to a screen of 1.5 times the DPI, the client area is the same twips there.
    const UINT larger = dpi * 3 / 2;
    RECT suggested{};
    GetWindowRect(window, &suggested);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(larger, larger), reinterpret_cast<LPARAM>(&suggested));
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, forms::detail::pixelsFromTwips(7560, larger));
    EXPECT_EQ(client.bottom, forms::detail::pixelsFromTwips(4755, larger));
    RECT text1{};
    GetWindowRect(control("Text1"), &text1);
    EXPECT_EQ(text1.right - text1.left, forms::detail::pixelsFromTwips(1455, larger));
}

// A window of our own for what no program shows alone.
class Probe : public forms::Form {
public:
    using Form::Form;
    forms::TextBox text1() { return textBox("Text1"); }
    forms::TextBox hidden() { return textBox("Hidden"); }
    int windowClicks = 0;
};

constexpr forms::ControlDescription probeControls[] = {
    {"Label1", ControlKind::Label, "подпись", 120, 100, 3000, 400, 3},
    {"Text1", ControlKind::TextBox, "", 120, 600, 3000, 300, 0},
    {"Hidden", ControlKind::TextBox, "", 120, 1000, 3000, 300, 1, forms::Hidden},
    {"Command1", ControlKind::CommandButton, "фокус", 120, 1400, 1500, 400, 2},
};
constexpr forms::WindowDescription probeWindow{"Проба", 4000, 2400, probeControls};

void countClick(Probe& form) { ++form.windowClicks; }
void focusHidden(Probe& form) { form.hidden().setFocus(); }
// 'a' becomes 'b'; '!' is swallowed.
void changeKeys(Probe&, std::int16_t& keyCode) {
    if (keyCode == 'a') keyCode = 'b';
    if (keyCode == '!') keyCode = 0;
}

constexpr forms::Binding probeBindings[] = {
    forms::bind<countClick>("Form1", Event::Click),
    forms::bind<focusHidden>("Command1", Event::Click),
    forms::bind<changeKeys>("Text1", Event::KeyPress),
};
const forms::Project probe{
    .title = "проба",
    .window = probeWindow,
    .bindings = probeBindings,
    .createForm = forms::formOf<Probe>,
};

TEST_F(Win32WindowTest, ClickOnALabelIsNotTheWindowsClick) {
    open(probe);
    click("Label1");
    EXPECT_EQ(form<Probe>().windowClicks, 0);
    clickAt({forms::detail::pixelsFromTwips(3500, forms::detail::win32::windowDpi(window_->window())), 5});
    EXPECT_EQ(form<Probe>().windowClicks, 1);
}

TEST_F(Win32WindowTest, KeyPressChangesOrSwallowsTheTypedCharacter) {
    open(probe);
    type(L"xa!c");
    EXPECT_EQ(windowText(control("Text1")), L"xbc");
}

TEST_F(Win32WindowTest, FailedSetFocusIsReportedInTheErrorBoxAndTheProgramGoesOn) {
    open(probe);
    click("Command1");
    ASSERT_EQ(dialogs.errorCount(), 1u);
    const forms::testing::DialogRequest error = dialogs.ofKind(forms::testing::DialogKind::Error)[0];
    EXPECT_EQ(error.caption, "проба");
    EXPECT_EQ(error.prompt, "Ошибка выполнения 3: сбой вызова элемента управления");
    EXPECT_EQ(focused(), control("Command1"));
}

// A box refuses whole a paste or a key that would take it beyond its limit, and keeps its text;
// Ctrl+A selects everything. Shown on a box of 10 characters: wine's edit control takes minutes
// to fill with 262,144.
TEST_F(Win32WindowTest, TextBoxRefusesWholeWhatWouldGoBeyondItsLimit) {
    open(probe);
    HWND box = CreateWindowExW(0, L"EDIT", L"123456789", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 100, 20,
                               window_->window(), nullptr, GetModuleHandleW(nullptr), nullptr);
    forms::detail::win32::hookTextBox(box, [](wchar_t) { return forms::detail::win32::TypedKey{}; }, 10);
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, 0);

    setClipboard(L"ab");
    type(L"\x16");  // Ctrl+V
    EXPECT_EQ(windowText(box), L"123456789") << "a paste that would go beyond";
    setClipboard(L"a");
    type(L"\x16");
    EXPECT_EQ(windowText(box), L"a123456789") << "a paste that fits";
    type(L"x");
    EXPECT_EQ(windowText(box), L"a123456789") << "a key that would go beyond";
    SendMessageW(box, EM_SETSEL, 0, 2);
    type(L"x");
    EXPECT_EQ(windowText(box), L"x23456789") << "a key replacing a selection";

    type(L"\x01");  // Ctrl+A
    DWORD start = 1;
    DWORD end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 9u);
    DestroyWindow(box);

    // The program's boxes have the full limit, and a longer Text from the program fails.
    EXPECT_EQ(SendMessageW(control("Text1"), EM_GETLIMITTEXT, 0, 0), static_cast<LRESULT>(forms::MaxTextBoxLength));
    EXPECT_THROW(form<Probe>().text1().setText(std::string(forms::MaxTextBoxLength + 1, '1')),
                 forms::RuntimeError);
}

// The dialogs a program opens, answered by the script: triexpr asks three numbers.
TEST_F(Win32WindowTest, TriexprAsksThroughTheResponder) {
    open(triexpr::project);
    dialogs.answer("3").answer("2").answer("1");
    click("Command1");
    ASSERT_EQ(dialogs.ofKind(forms::testing::DialogKind::Input).size(), 3u);
    EXPECT_EQ(dialogs.ofKind(forms::testing::DialogKind::Input)[0].caption, "triexpr");
    ASSERT_EQ(dialogs.ofKind(forms::testing::DialogKind::Message).size(), 1u);
    EXPECT_EQ(dialogs.ofKind(forms::testing::DialogKind::Message)[0].prompt, "результат истинно");
}

// Enter held on a button presses it once: triexpr asks its three numbers once, not again at
// every repeat of the key.
TEST_F(Win32WindowTest, HeldEnterPressesAButtonOnce) {
    open(triexpr::project);
    SetFocus(control("Command1"));
    HWND button = focused();
    constexpr LPARAM wasDown = 1L << 30;
    PostMessageW(button, WM_KEYDOWN, VK_RETURN, 1);
    for (int repeat = 0; repeat < 3; ++repeat) PostMessageW(button, WM_KEYDOWN, VK_RETURN, 1 | wasDown);
    PostMessageW(button, WM_KEYUP, VK_RETURN, 1 | 0xC0000000);
    processPendingMessages();
    EXPECT_EQ(dialogs.ofKind(forms::testing::DialogKind::Input).size(), 3u);
}

// A paste takes the first line that is not empty, so a number copied after a line break arrives.
TEST_F(Win32WindowTest, PasteTakesTheFirstLineThatIsNotEmpty) {
    open(sumdiff::project);
    setClipboard(L"\r\n99\r\n100");
    type(L"\x16");  // Ctrl+V into Text1, which has the focus
    EXPECT_EQ(windowText(control("Text1")), L"99");
}

// The real dialogs, driven from a timer that fires inside their modal loop.
class RealDialogTest : public Win32WindowTest {
protected:
    void SetUp() override { forms::testing::setDialogResponder({}); }

    // Runs `act` on the first dialog box of this thread once it is open.
    static void whenOpen(std::function<void(HWND dialog)> act) {
        pending() = std::move(act);
        SetTimer(nullptr, 0, 20, &onTimer);
    }

private:
    static std::function<void(HWND)>& pending() {
        static std::function<void(HWND)> act;
        return act;
    }
    // A system callback, so a named function: on 32-bit x86 a lambda's calling convention is not
    // the system's.
    static BOOL CALLBACK takeShownDialog(HWND window, LPARAM found) {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR timer, DWORD) {
        // A tick of a timer already killed can still be in the queue (killing a timer leaves
        // its posted ticks), and may come while the next box is open: it finds nothing to do.
        if (!pending()) {
            KillTimer(nullptr, timer);
            return;
        }
        HWND dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &takeShownDialog, reinterpret_cast<LPARAM>(&dialog));
        if (!dialog) return;
        KillTimer(nullptr, timer);
        std::function<void(HWND)> act = std::move(pending());
        act(dialog);
    }
};

TEST_F(RealDialogTest, InputBoxTakesEnterEscCloseAndCopiesItself) {
    open(triexpr::project);
    HWND owner = window_->window();
    BOOL ownerEnabled = TRUE;
    std::wstring caption;
    whenOpen([&](HWND dialog) {
        ownerEnabled = IsWindowEnabled(owner);
        caption = windowText(dialog);
        HWND field = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
        PostMessageW(field, WM_CHAR, L'7', 1);
        PostMessageW(field, WM_KEYDOWN, VK_RETURN, 1);
    });
    EXPECT_EQ(forms::inputBox("Введите"), "7");
    EXPECT_FALSE(ownerEnabled) << "modal over the window";
    EXPECT_EQ(caption, L"triexpr");

    whenOpen([](HWND dialog) {
        HWND field = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
        PostMessageW(field, WM_CHAR, L'7', 1);
        PostMessageW(field, WM_KEYDOWN, VK_ESCAPE, 1);
    });
    EXPECT_EQ(forms::inputBox("Введите"), "") << "Esc is Cancel";

    setClipboard(L"");
    whenOpen([](HWND dialog) {
        HWND field = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
        PostMessageW(field, WM_CHAR, 0x03, 1);  // Ctrl+C, nothing selected
        PostMessageW(field, WM_CHAR, L'7', 1);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(forms::inputBox("Введите N"), "") << "closing it is Cancel";
    EXPECT_EQ(clipboardText(), wide("triexpr\r\n\r\nВведите N\r\n"));
}

// Enter held down when the input box opens: its repeats do not answer the box; the next press does.
TEST_F(RealDialogTest, RepeatsOfAKeyHeldWhenABoxOpensDoNotAnswerIt) {
    open(triexpr::project);
    whenOpen([](HWND dialog) {
        HWND field = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
        PostMessageW(field, WM_CHAR, L'7', 1);
        PostMessageW(field, WM_KEYDOWN, VK_RETURN, 1 | (1L << 30));  // a repeat of the held key
        PostMessageW(field, WM_CHAR, L'8', 1);
        PostMessageW(field, WM_KEYUP, VK_RETURN, 1 | 0xC0000000);
        PostMessageW(field, WM_KEYDOWN, VK_RETURN, 1);
    });
    EXPECT_EQ(forms::inputBox("Введите"), "78");
}

// The system's message box, captioned with the title, and widened to show a long caption whole.
TEST_F(RealDialogTest, MessageBoxShowsItsWholeCaption) {
    open(triexpr::project);
    std::wstring caption;
    int width = 0;
    int captionWidth = 0;
    whenOpen([&](HWND dialog) {
        caption = windowText(dialog);
        RECT frame{};
        GetWindowRect(dialog, &frame);
        width = frame.right - frame.left;
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
        HDC context = GetDC(dialog);
        HGDIOBJ previous = SelectObject(context, font);
        SIZE text{};
        GetTextExtentPoint32W(context, caption.c_str(), static_cast<int>(caption.size()), &text);
        captionWidth = text.cx;
        SelectObject(context, previous);
        ReleaseDC(dialog, context);
        DeleteObject(font);
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    const std::string title = "результат вычисления суммы двух очень длинных чисел";
    EXPECT_EQ(forms::messageBox("5", 0, title), 1);
    EXPECT_EQ(caption, wide(title));
    EXPECT_GT(width, captionWidth);
}

}  // namespace
