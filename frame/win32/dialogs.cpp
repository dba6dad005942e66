// The dialogs on Win32: the system's own message box, and our input box, a modal dialog built in
// memory whose controls are laid out here in pixels at its DPI, with the system's message font.
#include <algorithm>
#include <array>
#include <cstring>

#include "form_window.h"
#include "later_windows.h"
#include "system.h"

namespace forms::detail {

using win32::scaled;
using win32::wide;

namespace {

constexpr int PromptId = 101;
constexpr int FieldId = 102;

struct InputBox {
    std::wstring caption;
    std::wstring prompt;
    std::wstring answer;
    HFONT font = nullptr;

    ~InputBox() {
        if (font) DeleteObject(font);
    }
};

struct Extent {
    int width;
    int height;
};

Extent textSize(HDC context, const std::wstring& text, int width, UINT format) {
    RECT needed{0, 0, width, 0};
    DrawTextW(context, text.c_str(), static_cast<int>(text.size()), &needed, DT_CALCRECT | DT_NOPREFIX | format);
    return {static_cast<int>(needed.right), static_cast<int>(needed.bottom)};
}

// The width of a caption as the title bar draws it, in the caption font at `dpi`.
int captionTextWidth(HWND window, const std::wstring& caption, UINT dpi) {
    NONCLIENTMETRICSW metrics = win32::nonClientMetrics(dpi);
    HFONT captionFont = CreateFontIndirectW(&metrics.lfCaptionFont);
    HDC context = GetDC(window);
    HGDIOBJ previous = SelectObject(context, captionFont);
    const int width = textSize(context, caption, 0, DT_SINGLELINE).width;
    SelectObject(context, previous);
    ReleaseDC(window, context);
    DeleteObject(captionFont);
    return width;
}

// Places the prompt, the field and the two buttons at `dpi`, and sizes the dialog to hold them,
// wide enough for its whole caption. `suggested` is where the system moves a rescaled dialog.
void layOut(HWND dialog, InputBox& box, UINT dpi, const RECT* suggested) {
    if (box.font) DeleteObject(box.font);
    LOGFONTW message = win32::messageFont(dpi);
    box.font = CreateFontIndirectW(&message);

    // The caption, the icon before it and the close button after it.
    const int captionWidth = captionTextWidth(dialog, box.caption, dpi) + scaled(100, dpi);
    HDC context = GetDC(dialog);
    HGDIOBJ previous = SelectObject(context, box.font);
    TEXTMETRICW text{};
    GetTextMetricsW(context, &text);
    const std::wstring cancel = wide(CancelCaption);
    const int margin = scaled(11, dpi);
    const int gap = scaled(7, dpi);
    const int buttonWidth = std::max(scaled(75, dpi), textSize(context, cancel, 0, DT_SINGLELINE).width + scaled(20, dpi));
    const int buttonHeight = std::max(scaled(23, dpi), static_cast<int>(text.tmHeight) + scaled(8, dpi));
    const int fieldHeight = static_cast<int>(text.tmHeight) + scaled(8, dpi);
    const int width = std::max(scaled(360, dpi), captionWidth);
    const int promptHeight =
        std::max(static_cast<int>(text.tmHeight), textSize(context, box.prompt, width - 2 * margin, DT_WORDBREAK).height);
    SelectObject(context, previous);
    ReleaseDC(dialog, context);

    int top = margin;
    const auto place = [&](int id, int left, int y, int w, int h) {
        HWND control = GetDlgItem(dialog, id);
        SetWindowPos(control, nullptr, left, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(box.font), TRUE);
    };
    place(PromptId, margin, top, width - 2 * margin, promptHeight);
    top += promptHeight + gap;
    place(FieldId, margin, top, width - 2 * margin, fieldHeight);
    top += fieldHeight + margin;
    place(IDCANCEL, width - margin - buttonWidth, top, buttonWidth, buttonHeight);
    place(IDOK, width - margin - 2 * buttonWidth - gap, top, buttonWidth, buttonHeight);
    const int height = top + buttonHeight + margin;

    const auto style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE));
    RECT frame{0, 0, width, height};
    win32::adjustWindowRect(frame, style, exStyle, dpi);
    const int outerWidth = frame.right - frame.left;
    const int outerHeight = frame.bottom - frame.top;
    if (suggested) {
        SetWindowPos(dialog, nullptr, suggested->left, suggested->top, outerWidth, outerHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    // Centred over the owner, or over the screen when there is none, and kept on the screen.
    HWND owner = GetWindow(dialog, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT over = monitor.rcWork;
    if (owner && IsWindowVisible(owner)) GetWindowRect(owner, &over);
    const auto centred = [](LONG from, LONG to, int size, LONG workFrom, LONG workTo) {
        const int lowest = static_cast<int>(workFrom);
        return std::clamp(static_cast<int>(from + to - size) / 2, lowest, std::max(lowest, static_cast<int>(workTo) - size));
    };
    const RECT& work = monitor.rcWork;
    const int left = centred(over.left, over.right, outerWidth, work.left, work.right);
    const int y = centred(over.top, over.bottom, outerHeight, work.top, work.bottom);
    SetWindowPos(dialog, nullptr, left, y, outerWidth, outerHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void createControls(HWND dialog, InputBox& box) {
    HINSTANCE instance = win32::process().instance;
    const auto create = [&](const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle, int id) {
        return CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    };
    create(L"STATIC", box.prompt, SS_LEFT | SS_NOPREFIX, 0, PromptId);
    HWND field = create(L"EDIT", L"", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, FieldId);
    create(L"BUTTON", wide(OkCaption), WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK);
    create(L"BUTTON", wide(CancelCaption), WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL);
    win32::hookTextBox(field, [field, dialog, &box](wchar_t typed) {
        // Ctrl+C with nothing selected copies the box itself, as a message box does.
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        if (typed != 0x03 || start != end) return win32::TypedKey{};
        const std::string copied = copiedDialogText(win32::narrow(box.caption), win32::narrow(box.prompt), "\r\n");
        win32::copyToClipboard(dialog, wide(copied));
        return win32::TypedKey{KeyOutcome::Swallow, 0};
    });
}

INT_PTR CALLBACK inputBoxProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* box = reinterpret_cast<InputBox*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        box = reinterpret_cast<InputBox*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        SetWindowTextW(dialog, box->caption.c_str());
        createControls(dialog, *box);
        layOut(dialog, *box, win32::windowDpi(dialog), nullptr);
        SetFocus(GetDlgItem(dialog, FieldId));
        return FALSE;  // the focus is set
    case WM_DPICHANGED:
        layOut(dialog, *box, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        // Enter is OK, Esc and closing the dialog are Cancel.
        if (LOWORD(wParam) == IDOK) {
            box->answer = win32::windowText(GetDlgItem(dialog, FieldId));
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}

// The system's message box is sized to its text and may cut its caption: once it is about to
// be shown, it is widened to hold the whole caption, its contents kept centred.
LRESULT CALLBACK widenForCaption(int code, WPARAM wParam, LPARAM lParam) {
    wchar_t className[8] = {};
    HWND box = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && GetClassNameW(box, className, 8) && std::wstring_view(className) == L"#32770") {
        const UINT dpi = win32::windowDpi(box);
        const int captionWidth = captionTextWidth(box, win32::windowText(box), dpi);
        const NONCLIENTMETRICSW metrics = win32::nonClientMetrics(dpi);
        // The caption, with room for an icon and three caption buttons (a window manager may add
        // them to the close button alone), and the frame on both sides. As much again as the
        // caption is kept spare for a window manager that draws the title in a larger font.
        const int needed = 2 * captionWidth + 3 * metrics.iCaptionWidth +
                           win32::systemMetric(SM_CXSMICON, dpi) +
                           2 * (win32::systemMetric(SM_CXFIXEDFRAME, dpi) + win32::systemMetric(SM_CXPADDEDBORDER, dpi)) +
                           scaled(24, dpi);
        RECT frame{};
        GetWindowRect(box, &frame);
        const int missing = needed - static_cast<int>(frame.right - frame.left);
        if (missing > 0) {
            SetWindowPos(box, nullptr, frame.left - missing / 2, frame.top, needed, frame.bottom - frame.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                RECT place{};
                GetWindowRect(child, &place);
                MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&place), 2);
                SetWindowPos(child, nullptr, place.left + missing / 2, place.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void FormWindow::showMessageBox(DialogKind kind, std::string_view caption, std::string_view prompt) {
    const UINT icon = kind == DialogKind::Error ? MB_ICONERROR : 0;
    HHOOK hook = SetWindowsHookExW(WH_CBT, &widenForCaption, nullptr, GetCurrentThreadId());
    MessageBoxW(window_, wide(prompt).c_str(), wide(caption).c_str(), MB_OK | icon);
    if (hook) UnhookWindowsHookEx(hook);
}

std::optional<std::string> FormWindow::showInputBox(std::string_view caption, std::string_view prompt) {
    // The dialog's template: a modal frame without controls (they are made at WM_INITDIALOG),
    // followed by three zero words: no menu, the system's dialog class, no title.
    alignas(DWORD) std::array<WORD, 12> memory{};
    const DLGTEMPLATE header{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND, 0, 0, 0, 0, 0, 0};
    static_assert(sizeof(header) + 3 * sizeof(WORD) <= sizeof(memory));
    std::memcpy(memory.data(), &header, sizeof(header));

    win32::startProcess();
    InputBox box{wide(caption), wide(prompt), {}, nullptr};
    const INT_PTR result =
        DialogBoxIndirectParamW(win32::process().instance, reinterpret_cast<const DLGTEMPLATE*>(memory.data()),
                                window_, &inputBoxProcedure, reinterpret_cast<LPARAM>(&box));
    if (result != IDOK) return std::nullopt;
    return win32::narrow(box.answer);
}

}  // namespace forms::detail
