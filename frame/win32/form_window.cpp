// The Win32 backend of the frame: one top-level window of native controls, its events and its
// control members. What it implements, and what it leaves out:
//   [x] client area of exactly the described twips at the window's DPI; per-monitor DPI aware
//       (v2): rescaled, refitted and resized on WM_DPICHANGED
//   [x] the system's message font at the window's DPI, made smaller only where a caption would
//       not fit its control; one font for every control
//   [x] STATIC labels (SS_NOTIFY: a click on a label is not a click on the window), EDIT text
//       boxes (single line, ES_AUTOHSCROLL), BS_PUSHBUTTON and BS_AUTORADIOBUTTON buttons
//   [x] tab order by tab index (z-order follows it, WS_TABSTOP on every focusable control);
//       first focus; Tab/Shift+Tab, arrows in the option group, Enter on a command button;
//       the focus comes back to its control when the window is activated again
//   [x] one option group of every option button, none selected at start, Tab does not select
//   [x] Click of buttons, option buttons and the window; KeyPress through the hooked EDIT with
//       the code by reference (Enter 13, 0 swallows, a changed code types that character); Load
//   [x] Text/Value/Visible/Enabled/BackColor/SetFocus with the Qt backend's failing calls
//   [x] the window colour painted by the window; labels and option buttons keep the system's
//   [x] text boxes of up to MaxTextBoxLength characters, refusing longer typing or pastes whole
//       with a notice; a longer Text from the program is a failed call; Ctrl+A selects all
//   [x] each text box named for screen readers by its label: the label comes right before
//       the box in z-order, where the system's accessibility looks for an edit's name
//   [x] the window icon from the executable's resources at the window's DPI
//   [x] a change of the system's message font or colours while running is followed
//   [x] (dialogs.cpp) the system's message box, widened to show its whole caption; our input
//       box (Enter OK, Esc and closing Cancel, Ctrl+C copies caption and prompt); both through
//       the scripted responder in tests, the floating-point status kept (runtime_core)
//   [x] (runtime.cpp) the message loop; the error line to stderr when the program has one,
//       and to the debugger's output always
//   [x] (runtime.cpp) --help and --version, written to the parent's console; nothing else
//       on the command line is read
//   [ ] no default button (none is wanted); no mnemonics (no caption has one); no resizing of
//       the controls with the window (they keep their described places)
//   [ ] the caret's blinking is the system's (Windows stops it by itself after a few seconds)
#include "form_window.h"

#include <array>

#include "dispatch.h"
#include "layout.h"
#include "runtime_core.h"
#include "win32.h"

namespace forms::detail {

using win32::wide;

namespace {

// A control call the window cannot do (focus to a hidden control, text of a button).
constexpr Status CannotDo = -static_cast<int>(ErrorCode::ControlCallFailed);

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
constexpr std::array<ControlClass, 4> controlClasses = {{
    {L"STATIC", SS_NOTIFY | SS_NOPREFIX | SS_LEFT, 0},
    {L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0},
    {L"BUTTON", WS_TABSTOP | BS_AUTORADIOBUTTON, 0},
}};

bool hasStyle(HWND window, DWORD style) { return (GetWindowLongPtrW(window, GWL_STYLE) & style) == style; }

// Room a caption leaves inside its control besides the text: button edges, the option mark.
SIZE captionMargins(ControlKind kind, UINT dpi) {
    switch (kind) {
    case ControlKind::CommandButton: return {win32::scaled(10, dpi), win32::scaled(6, dpi)};
    case ControlKind::OptionButton:
        return {GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) + win32::scaled(6, dpi), 0};
    default: return {0, 0};
    }
}

// Whether every caption of the window fits its control in `font`: a label's words wrap within
// its width and height; buttons keep one line.
bool captionsFit(const WindowDescription& window, HFONT font, UINT dpi) {
    HDC context = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(context, font);
    bool fit = true;
    for (const ControlDescription& control : window.controls) {
        if (control.caption.empty() || control.kind == ControlKind::TextBox) continue;
        const std::wstring caption = wide(control.caption);
        const SIZE margins = captionMargins(control.kind, dpi);
        const int width = pixelsFromTwips(control.width, dpi) - margins.cx;
        const int height = pixelsFromTwips(control.height, dpi) - margins.cy;
        RECT needed{0, 0, width, 0};
        const UINT wrap = control.kind == ControlKind::Label ? DT_WORDBREAK : DT_SINGLELINE;
        DrawTextW(context, caption.c_str(), static_cast<int>(caption.size()), &needed,
                  DT_CALCRECT | DT_NOPREFIX | wrap);
        if (needed.right > width || needed.bottom > height) {
            fit = false;
            break;
        }
    }
    SelectObject(context, previous);
    ReleaseDC(nullptr, context);
    return fit;
}

// The system's message font at `dpi`, one pixel smaller at a time until every caption fits.
HFONT fittingFont(const WindowDescription& window, UINT dpi) {
    LOGFONTW font = win32::messageFont(dpi);
    const int sign = font.lfHeight < 0 ? -1 : 1;
    const int height = largestFittingSize(sign * font.lfHeight, win32::scaled(8, dpi), [&](int candidate) {
        font.lfHeight = sign * candidate;
        HFONT trial = CreateFontIndirectW(&font);
        const bool fit = captionsFit(window, trial, dpi);
        DeleteObject(trial);
        return fit;
    });
    font.lfHeight = sign * height;
    return CreateFontIndirectW(&font);
}

}  // namespace

FormWindow::FormWindow(const Project& project) : project_(project) {
    win32::startBackend();
    const win32::Backend& state = win32::backend();
    window_ = CreateWindowExW(WindowExStyle, MAKEINTATOM(state.windowClass), wide(project_.window.caption).c_str(),
                              WindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                              nullptr, state.instance, this);
    if (!window_) throw std::bad_alloc();
    dpi_ = GetDpiForWindow(window_);
    font_ = fittingFont(project_.window, dpi_);
    loadIcons();
    resizeForDpi(nullptr);
    tabOrder_ = tabOrder(project_.window);
    buildControls();
    form_ = project_.createForm(*this);
}

FormWindow::~FormWindow() {
    forgetWindow(*this);
    if (window_) DestroyWindow(window_);
    if (font_) DeleteObject(font_);
    if (backBrush_) DeleteObject(backBrush_);
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
}

FormWindow* FormWindow::of(HWND window) {
    if (!window) return nullptr;
    HWND top = GetAncestor(window, GA_ROOT);
    if (!top || GetClassLongPtrW(top, GCW_ATOM) != win32::backend().windowClass) return nullptr;
    return reinterpret_cast<FormWindow*>(GetWindowLongPtrW(top, GWLP_USERDATA));
}

int FormWindow::pixels(int twips) const { return pixelsFromTwips(twips, dpi_); }

SIZE FormWindow::windowSizeFor(UINT dpi) const {
    RECT frame{0, 0, pixelsFromTwips(project_.window.clientWidth, dpi),
               pixelsFromTwips(project_.window.clientHeight, dpi)};
    AdjustWindowRectExForDpi(&frame, WindowStyle, FALSE, WindowExStyle, dpi);
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
    const int missingWidth = pixels(project_.window.clientWidth) - client.right;
    const int missingHeight = pixels(project_.window.clientHeight) - client.bottom;
    if (missingWidth != 0 || missingHeight != 0) {
        SetWindowPos(window_, nullptr, 0, 0, size.cx + missingWidth, size.cy + missingHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void FormWindow::loadIcons() {
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
    const auto load = [this](int widthMetric, int heightMetric) {
        return static_cast<HICON>(LoadImageW(win32::backend().instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             GetSystemMetricsForDpi(widthMetric, dpi_),
                                             GetSystemMetricsForDpi(heightMetric, dpi_), LR_DEFAULTCOLOR));
    };
    bigIcon_ = load(SM_CXICON, SM_CYICON);
    smallIcon_ = load(SM_CXSMICON, SM_CYSMICON);
    // An executable without the icon resource (a test) keeps the system's default.
    if (bigIcon_) SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    if (smallIcon_) SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
}

void FormWindow::buildControls() {
    const auto& controls = project_.window.controls;
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
                                      win32::backend().instance, nullptr);
        if (!handle) throw std::bad_alloc();
        controls_[index] = handle;
        if (control.kind == ControlKind::TextBox) {
            win32::hookTextBox(handle, [this, index](wchar_t typed) {
                std::int16_t keyCode = static_cast<std::int16_t>(typed);
                dispatch(project_, *form_, describe(static_cast<int>(index)).name, Event::KeyPress, keyCode);
                return win32::TypedKey{afterKeyPress(static_cast<std::int16_t>(typed), keyCode),
                                       static_cast<wchar_t>(keyCode)};
            });
        }
    }
    // z-order follows the tab order; a text box's label comes right before the box, which is
    // where the system's accessibility finds an edit's name. Other labels come last.
    std::vector<int> zOrder;
    std::vector<bool> placed(controls.size(), false);
    for (const int control : tabOrder_) {
        const int label = controls[control].kind == ControlKind::TextBox ? labelOf(project_.window, control) : -1;
        if (label >= 0 && !placed[label]) {
            zOrder.push_back(label);
            placed[label] = true;
        }
        zOrder.push_back(control);
        placed[control] = true;
    }
    for (std::size_t index = 0; index < controls.size(); ++index) {
        if (!placed[index]) zOrder.push_back(static_cast<int>(index));
    }
    HWND after = HWND_TOP;
    for (const int control : zOrder) {
        SetWindowPos(controls_[control], after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = controls_[control];
    }
    placeControls();
    applyFont();
}

void FormWindow::placeControls() {
    const auto& controls = project_.window.controls;
    for (std::size_t index = 0; index < controls.size(); ++index) {
        const ControlDescription& control = controls[index];
        SetWindowPos(controls_[index], nullptr, pixels(control.left), pixels(control.top), pixels(control.width),
                     pixels(control.height), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // A label stays beneath a control it overlaps, so it never hides a box's border: its window
    // leaves out the overlapping part.
    for (std::size_t index = 0; index < controls.size(); ++index) {
        if (controls[index].kind != ControlKind::Label) continue;
        RECT label{};
        GetWindowRect(controls_[index], &label);
        HRGN region = CreateRectRgn(0, 0, label.right - label.left, label.bottom - label.top);
        bool cut = false;
        for (std::size_t other = 0; other < controls.size(); ++other) {
            RECT box{};
            RECT overlap{};
            if (controls[other].kind == ControlKind::Label) continue;
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
    font_ = fittingFont(project_.window, dpi_);
    applyFont();
    DeleteObject(previous);
}

void FormWindow::showAtStart(int showCommand, bool quitWhenClosed) {
    quitWhenClosed_ = quitWhenClosed;
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
    const int first = firstInTabOrder(project_.window, [this](int control) { return isAvailable(control); });
    if (first >= 0) focusControl(first, false);
}

HWND FormWindow::control(std::string_view name) const {
    for (std::size_t index = 0; index < controls_.size(); ++index) {
        if (describe(static_cast<int>(index)).name == name) return controls_[index];
    }
    return nullptr;
}

int FormWindow::indexOf(HWND control) const {
    for (std::size_t index = 0; index < controls_.size(); ++index) {
        if (controls_[index] == control) return static_cast<int>(index);
    }
    return -1;
}

// Shown as far as the window is concerned, whether or not the window itself is.
bool FormWindow::isShown(int control) const { return hasStyle(controls_[control], WS_VISIBLE); }

bool FormWindow::isAvailable(int control) const {
    return takesFocus(describe(control).kind) && isShown(control) && IsWindowEnabled(controls_[control]);
}

void FormWindow::focusControl(int control, bool byTab) {
    SetFocus(controls_[control]);
    // Tabbing into a box selects its text, so that typing replaces it.
    if (byTab && describe(control).kind == ControlKind::TextBox) SendMessageW(controls_[control], EM_SETSEL, 0, -1);
}

void FormWindow::moveFocus(int from, bool forward) {
    const int count = static_cast<int>(tabOrder_.size());
    if (count == 0) return;
    int position = -1;
    for (int index = 0; index < count; ++index) {
        if (tabOrder_[index] == from) position = index;
    }
    if (position < 0) position = forward ? count - 1 : 0;
    // An option group with a selected button is one stop, at that button.
    bool groupSelected = false;
    for (int index = 0; index < static_cast<int>(controls_.size()); ++index) {
        if (describe(index).kind == ControlKind::OptionButton && isAvailable(index) &&
            SendMessageW(controls_[index], BM_GETCHECK, 0, 0) == BST_CHECKED) {
            groupSelected = true;
        }
    }
    for (int step = 1; step <= count; ++step) {
        const int candidate = tabOrder_[((position + (forward ? step : -step)) % count + count) % count];
        if (!isAvailable(candidate)) continue;
        if (groupSelected && describe(candidate).kind == ControlKind::OptionButton &&
            SendMessageW(controls_[candidate], BM_GETCHECK, 0, 0) != BST_CHECKED) {
            continue;
        }
        focusControl(candidate, true);
        return;
    }
}

void FormWindow::moveFocusAwayFrom(int control) {
    if (GetFocus() != controls_[control]) return;
    moveFocus(control, true);
    // Nothing else takes the focus: the window keeps it, so keys still reach it.
    if (GetFocus() == controls_[control]) SetFocus(window_);
}

void FormWindow::moveInOptionGroup(int from, bool forward) {
    std::vector<int> options;
    for (const int control : tabOrder_) {
        if (describe(control).kind == ControlKind::OptionButton && (control == from || isAvailable(control))) {
            options.push_back(control);
        }
    }
    const int count = static_cast<int>(options.size());
    for (int index = 0; index < count; ++index) {
        if (options[index] != from) continue;
        const int next = options[((index + (forward ? 1 : -1)) % count + count) % count];
        if (next == from) return;
        focusControl(next, false);
        click(next);
        return;
    }
}

void FormWindow::select(int option) {
    for (std::size_t index = 0; index < controls_.size(); ++index) {
        if (describe(static_cast<int>(index)).kind != ControlKind::OptionButton) continue;
        SendMessageW(controls_[index], BM_SETCHECK, static_cast<int>(index) == option ? BST_CHECKED : BST_UNCHECKED,
                     0);
    }
}

// A click as the user makes it with the keyboard: an option button is selected first.
void FormWindow::click(int control) {
    if (describe(control).kind == ControlKind::OptionButton) select(control);
    std::int16_t noKey = 0;
    dispatch(project_, *form_, describe(control).name, Event::Click, noKey);
}

bool FormWindow::navigate(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    const int from = message.hwnd == window_ ? -1 : indexOf(message.hwnd);
    if (message.hwnd != window_ && from < 0) return false;
    switch (message.wParam) {
    case VK_TAB:
        moveFocus(from, GetKeyState(VK_SHIFT) >= 0);
        return true;
    case VK_RETURN:
        // Enter presses the focused command button; in a text box it stays the box's KeyPress.
        if (from < 0 || describe(from).kind != ControlKind::CommandButton) return false;
        click(from);
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        if (from < 0 || describe(from).kind != ControlKind::OptionButton) return false;
        moveInOptionGroup(from, message.wParam == VK_RIGHT || message.wParam == VK_DOWN);
        return true;
    default: return false;
    }
}

void FormWindow::onCommand(int control, WORD notification) {
    if (notification != BN_CLICKED) return;
    const ControlKind kind = describe(control).kind;
    if (kind != ControlKind::CommandButton && kind != ControlKind::OptionButton) return;  // STN_CLICKED is 0 too
    if (kind == ControlKind::OptionButton) {
        // A clicked option button has selected itself; one that is not selected only notes that
        // the keyboard's focus came to it, which is no click and selects nothing.
        if (SendMessageW(controls_[control], BM_GETCHECK, 0, 0) != BST_CHECKED) return;
        select(control);
    }
    std::int16_t noKey = 0;
    dispatch(project_, *form_, describe(control).name, Event::Click, noKey);
}

LRESULT CALLBACK FormWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const int control = indexOf(reinterpret_cast<HWND>(lParam));
        if (control >= 0) onCommand(control, HIWORD(wParam));
        return 0;
    }
    case WM_LBUTTONDOWN:
        pressedOnWindow_ = true;
        SetCapture(window_);
        return 0;
    case WM_LBUTTONUP: {
        const bool pressed = pressedOnWindow_;
        pressedOnWindow_ = false;
        if (GetCapture() == window_) ReleaseCapture();
        RECT client{};
        GetClientRect(window_, &client);
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (pressed && PtInRect(&client, point)) {
            std::int16_t noKey = 0;
            dispatch(project_, *form_, project_.windowName, Event::Click, noKey);
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressedOnWindow_ = false;
        return 0;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, backBrush_ ? backBrush_ : GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_CTLCOLORSTATIC: {
        // Labels and option buttons keep the system's own background, whatever the window's colour.
        auto context = reinterpret_cast<HDC>(wParam);
        SetTextColor(context, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(context, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window_, focus)) focusWhenInactive_ = focus;
            return 0;
        }
        if (!HIWORD(wParam)) {
            const int control = indexOf(focusWhenInactive_);
            if (control >= 0 && isAvailable(control)) {
                SetFocus(focusWhenInactive_);
            } else {
                moveFocus(-1, true);
                if (!GetFocus()) SetFocus(window_);
            }
        }
        return 0;
    case WM_GETDPISCALEDSIZE: {
        *reinterpret_cast<SIZE*>(lParam) = windowSizeFor(static_cast<UINT>(wParam));
        return TRUE;
    }
    case WM_DPICHANGED: {
        dpi_ = HIWORD(wParam);
        placeControls();
        refitFont();
        loadIcons();
        resizeForDpi(reinterpret_cast<const RECT*>(lParam));
        InvalidateRect(window_, nullptr, TRUE);
        return 0;
    }
    case WM_SYSCOLORCHANGE:
        for (HWND control : controls_) SendMessageW(control, WM_SYSCOLORCHANGE, wParam, lParam);
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return 0;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETNONCLIENTMETRICS) refitFont();
        break;
    case WM_DESTROY:
        if (quitWhenClosed_) PostQuitMessage(0);
        return 0;
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

Status FormWindow::getText(int control, std::string& text) {
    if (describe(control).kind != ControlKind::TextBox) return CannotDo;
    text = win32::narrow(win32::windowText(controls_[control]));
    return Success;
}

Status FormWindow::setText(int control, std::string_view text) {
    if (describe(control).kind != ControlKind::TextBox) return CannotDo;
    const std::wstring converted = wide(text);
    if (converted.size() > MaxTextBoxLength) return CannotDo;
    return SetWindowTextW(controls_[control], converted.c_str()) ? Success : CannotDo;
}

Status FormWindow::getValue(int control, TruthValue& value) {
    if (describe(control).kind != ControlKind::OptionButton) return CannotDo;
    value = SendMessageW(controls_[control], BM_GETCHECK, 0, 0) == BST_CHECKED ? True : False;
    return Success;
}

Status FormWindow::setValue(int control, TruthValue value) {
    if (describe(control).kind != ControlKind::OptionButton) return CannotDo;
    if (value != False) {
        select(control);
    } else {
        SendMessageW(controls_[control], BM_SETCHECK, BST_UNCHECKED, 0);
    }
    return Success;
}

Status FormWindow::getVisible(int control, bool& visible) {
    visible = isShown(control);
    return Success;
}

Status FormWindow::setVisible(int control, bool visible) {
    if (!visible) moveFocusAwayFrom(control);
    ShowWindow(controls_[control], visible ? SW_SHOWNA : SW_HIDE);
    return Success;
}

Status FormWindow::getEnabled(int control, bool& enabled) {
    enabled = IsWindowEnabled(controls_[control]) != FALSE;
    return Success;
}

Status FormWindow::setEnabled(int control, bool enabled) {
    if (!enabled) moveFocusAwayFrom(control);
    EnableWindow(controls_[control], enabled);
    return Success;
}

Status FormWindow::setFocus(int control) {
    if (!isAvailable(control) || !IsWindowVisible(window_)) return CannotDo;
    focusControl(control, false);
    return Success;
}

Status FormWindow::getBackColor(Color& color) {
    color = backBrush_ ? backColor_ : static_cast<Color>(GetSysColor(COLOR_BTNFACE));
    return Success;
}

Status FormWindow::setBackColor(Color color) {
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(color));
    if (!brush) return CannotDo;
    if (backBrush_) DeleteObject(backBrush_);
    backBrush_ = brush;
    backColor_ = color;
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return Success;
}

void FormWindow::registerWindowClass() {
    win32::Backend& state = win32::backend();
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
