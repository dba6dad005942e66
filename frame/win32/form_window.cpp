// The Win32 backend of the frame: one top-level window of native controls, its events and its
// control members. What it implements, and what it leaves out:
//   [x] client area of exactly the described twips at the window's DPI; per-monitor DPI aware
//       (v2): rescaled, refitted and resized on WM_DPICHANGED; on Windows 7 and 8 at the
//       system's DPI (later_windows.h)
//   [x] the system's message font at the window's DPI, made smaller only where a caption would
//       not fit its control by the core's rule (window_rules.h; caption_font.cpp measures the
//       text and the option mark); one font for every control
//   [x] STATIC labels (SS_NOTIFY: a click on a label is not a click on the window), EDIT text
//       boxes (single line, ES_AUTOHSCROLL), BS_PUSHBUTTON and BS_AUTORADIOBUTTON buttons
//   [x] tab order by tab index (z-order follows it, WS_TABSTOP on every focusable control);
//       first focus, the focus leaving a control that is hidden or disabled, Tab/Shift+Tab,
//       arrows in the option group, Enter on a command button, by the core's rules
//       (window_rules.h, window_messages.cpp); the core's action keys act once however long
//       they are held, repeats told by the message's previous-state bit (system.cpp); the focus
//       comes back to its control when the window is activated again
//   [x] one option group of every option button, none selected at start, Tab does not select
//   [x] Click of buttons, option buttons and the window; KeyPress through the hooked EDIT with
//       the code by reference (Enter 13, 0 swallows, a changed code types that character); Load
//   [x] Text/Value/Visible/Enabled/BackColor/SetFocus (control_members.cpp), failing where the
//       system cannot do them
//   [x] the window colour painted by the window; labels and option buttons keep the system's
//   [x] text boxes of up to MaxTextBoxLength characters, refusing longer typing or pastes whole
//       with a notice (text_box.cpp); Ctrl+A selects all
//   [x] each text box named for screen readers by its label: the label comes right before
//       the box in z-order, where the system's accessibility looks for an edit's name
//   [x] the window icon from the executable's resources at the window's DPI
//   [x] a change of the system's message font or colours while running is followed
//   [x] (dialogs.cpp) the system's message box, widened to show its whole caption, Ctrl+C
//       copying it in the system's format; our input box (Enter OK, Esc and closing Cancel,
//       Ctrl+C copies caption and prompt)
//   [x] (run_project.cpp) the message loop; the error line to stderr when the program has one,
//       and to the debugger's output always
//   [x] (run_project.cpp) --help and --version, written to the parent's console; nothing else
//       on the command line is read
//   [ ] the caret's blinking is the system's (Windows stops it by itself after a few seconds)
//   [ ] no default button (none is wanted); no mnemonics (no caption has one); no resizing of
//       the controls with the window (they keep their described places)
#include "form_window.h"

#include <array>

#include "caption_font.h"
#include "control_kinds.h"
#include "events.h"
#include "later_windows.h"
#include "layout.h"
#include "system.h"

namespace forms::detail {

using win32::wide;

namespace {

constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD WindowExStyle = 0;
// Control ids: the index in the description plus this, so that none is 0.
constexpr int FirstControlId = 100;

struct ControlClass {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

// One entry a control kind, in the order of ControlKind.
constexpr auto controlClasses = perKind<ControlClass>({
    {L"STATIC", SS_NOTIFY | SS_NOPREFIX | SS_LEFT, 0},
    {L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0},
    {L"BUTTON", WS_TABSTOP | BS_AUTORADIOBUTTON, 0},
});

bool hasStyle(HWND window, DWORD style) { return (GetWindowLongPtrW(window, GWL_STYLE) & style) == style; }

}  // namespace

FormWindow::FormWindow(const Project& project) : WindowHost(project) {
    win32::startProcess();
    const win32::Process& state = win32::process();
    window_ = CreateWindowExW(WindowExStyle, MAKEINTATOM(state.windowClass), wide(description().caption).c_str(),
                              WindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                              nullptr, state.instance, this);
    if (!window_) throw win32::CannotOpenWindow();
    dpi_ = win32::windowDpi(window_);
    font_ = win32::fittingFont(description(), dpi_);
    loadIcons();
    resizeForDpi(nullptr);
    buildControls();
}

FormWindow::~FormWindow() {
    if (window_) DestroyWindow(window_);
    if (font_) DeleteObject(font_);
    if (backBrush_) DeleteObject(backBrush_);
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
}

FormWindow* FormWindow::of(HWND window) {
    if (!window) return nullptr;
    HWND top = GetAncestor(window, GA_ROOT);
    if (!top || GetClassLongPtrW(top, GCW_ATOM) != win32::process().windowClass) return nullptr;
    return reinterpret_cast<FormWindow*>(GetWindowLongPtrW(top, GWLP_USERDATA));
}

int FormWindow::pixels(int twips) const { return pixelsFromTwips(twips, dpi_); }

SIZE FormWindow::windowSizeFor(UINT dpi) const {
    RECT frame{0, 0, pixelsFromTwips(description().clientWidth, dpi),
               pixelsFromTwips(description().clientHeight, dpi)};
    win32::adjustWindowRect(frame, WindowStyle, WindowExStyle, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void FormWindow::resizeForDpi(const RECT* suggested) {
    const SIZE size = windowSizeFor(dpi_);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!suggested) flags |= SWP_NOMOVE;
    const int left = suggested ? suggested->left : 0;
    const int top = suggested ? suggested->top : 0;
    SetWindowPos(window_, nullptr, left, top, size.cx, size.cy, flags);
    // The frame the system drew may differ from the computed one (its own metrics, a theme):
    // measure the client area and correct the size by what is missing.
    RECT client{};
    GetClientRect(window_, &client);
    const int missingWidth = pixels(description().clientWidth) - client.right;
    const int missingHeight = pixels(description().clientHeight) - client.bottom;
    if (missingWidth != 0 || missingHeight != 0) {
        SetWindowPos(window_, nullptr, 0, 0, size.cx + missingWidth, size.cy + missingHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void FormWindow::loadIcons() {
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
    const auto load = [this](int widthMetric, int heightMetric) {
        return static_cast<HICON>(LoadImageW(win32::process().instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             win32::systemMetric(widthMetric, dpi_),
                                             win32::systemMetric(heightMetric, dpi_), LR_DEFAULTCOLOR));
    };
    bigIcon_ = load(SM_CXICON, SM_CYICON);
    smallIcon_ = load(SM_CXSMICON, SM_CYSMICON);
    // An executable without the icon resource (a test) keeps the system's default.
    if (bigIcon_) SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    if (smallIcon_) SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
}

void FormWindow::buildControls() {
    const auto& controls = description().controls;
    controls_.assign(controls.size(), nullptr);
    bool firstOption = true;
    for (std::size_t index = 0; index < controls.size(); ++index) {
        const ControlDescription& control = controls[index];
        const ControlClass& kind = controlClasses[static_cast<std::size_t>(control.kind)];
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style;
        if (control.kind == ControlKind::Label && control.captionCentred) style = (style & ~SS_LEFT) | SS_CENTER;
        // Every option button on the window is one group, which starts at the first.
        if (control.kind == ControlKind::OptionButton && firstOption) {
            style |= WS_GROUP;
            firstOption = false;
        }
        if (!control.hiddenAtStart) style |= WS_VISIBLE;
        HWND handle = CreateWindowExW(kind.exStyle, kind.className, wide(control.caption).c_str(), style, 0, 0, 0, 0,
                                      window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(FirstControlId + index)),
                                      win32::process().instance, nullptr);
        if (!handle) throw win32::CannotOpenWindow();
        controls_[index] = handle;
        if (control.kind == ControlKind::TextBox) {
            win32::hookTextBox(handle, [this, index](wchar_t typed) {
                char16_t replacement = 0;
                const KeyOutcome outcome =
                    deliverKeyPress(*this, static_cast<int>(index), static_cast<std::int16_t>(typed), replacement);
                return win32::TypedKey{outcome, static_cast<wchar_t>(replacement)};
            });
        }
    }
    // z-order follows the tab order, each text box's label right before the box, which is where
    // the system's accessibility finds an edit's name.
    HWND after = HWND_TOP;
    for (const int control : stackingOrder(description())) {
        SetWindowPos(controls_[control], after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = controls_[control];
    }
    placeControls();
    applyFont();
}

void FormWindow::placeControls() {
    const auto& controls = description().controls;
    for (std::size_t index = 0; index < controls.size(); ++index) {
        const ControlDescription& control = controls[index];
        SetWindowPos(controls_[index], nullptr, pixels(control.left), pixels(control.top), pixels(control.width),
                     pixels(control.height), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // A control that lies beneath the others (a label) leaves out of its window the part that
    // another control overlaps; its place in the z-order is the screen reader's (above).
    for (std::size_t index = 0; index < controls.size(); ++index) {
        if (!traitsOf(controls[index].kind).liesBeneath) continue;
        RECT label{};
        GetWindowRect(controls_[index], &label);
        HRGN region = CreateRectRgn(0, 0, label.right - label.left, label.bottom - label.top);
        bool cut = false;
        for (std::size_t other = 0; other < controls.size(); ++other) {
            RECT box{};
            RECT overlap{};
            if (traitsOf(controls[other].kind).liesBeneath) continue;
            GetWindowRect(controls_[other], &box);
            if (!IntersectRect(&overlap, &label, &box)) continue;
            HRGN part = CreateRectRgn(overlap.left - label.left, overlap.top - label.top, overlap.right - label.left,
                                      overlap.bottom - label.top);
            CombineRgn(region, region, part, RGN_DIFF);
            DeleteObject(part);
            cut = true;
        }
        if (cut) {
            SetWindowRgn(controls_[index], region, TRUE);  // the window owns the region now
        } else {
            SetWindowRgn(controls_[index], nullptr, TRUE);
            DeleteObject(region);
        }
    }
}

void FormWindow::applyFont() {
    for (HWND control : controls_) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
}

void FormWindow::refitFont() {
    HFONT previous = font_;
    font_ = win32::fittingFont(description(), dpi_);
    applyFont();
    DeleteObject(previous);
}

void FormWindow::showAtStart(int showCommand, bool quitWhenClosed) {
    quitWhenClosed_ = quitWhenClosed;
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
    giveFirstFocus(description(), *this);
}

HWND FormWindow::control(std::string_view name) const {
    const int index = controlIndex(description(), name);
    return index < 0 ? nullptr : controls_[index];
}

int FormWindow::indexOf(HWND control) const {
    for (std::size_t index = 0; index < controls_.size(); ++index) {
        if (controls_[index] == control) return static_cast<int>(index);
    }
    return -1;
}

bool FormWindow::controlShown(int control) const { return hasStyle(controls_[control], WS_VISIBLE); }

bool FormWindow::controlEnabled(int control) const { return IsWindowEnabled(controls_[control]) != FALSE; }

bool FormWindow::optionSelected(int control) const {
    return SendMessageW(controls_[control], BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int FormWindow::focusedControl() const { return indexOf(GetFocus()); }

void FormWindow::giveFocus(int control, bool asByTab) { focusControl(control, asByTab); }

void FormWindow::focusControl(int control, bool byTab) {
    SetFocus(controls_[control]);
    // Tabbing into a box selects its text, so that typing replaces it.
    if (byTab && descriptionOf(control).kind == ControlKind::TextBox) SendMessageW(controls_[control], EM_SETSEL, 0, -1);
}


void FormWindow::registerWindowClass() {
    win32::Process& state = win32::process();
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &FormWindow::windowProcedure;
    windowClass.hInstance = state.instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hIcon = LoadIconW(state.instance, MAKEINTRESOURCEW(1));
    windowClass.lpszClassName = L"FormsProgramWindow";
    state.windowClass = RegisterClassExW(&windowClass);
}

}  // namespace forms::detail
