// The hooked single-line text box: the length limit, refused whole with a notice; Ctrl+A; and
// every typed character through the owner's filter first.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <memory>
#include <string>

#include "pasting.h"
#include "system.h"

namespace forms::detail::win32 {

namespace {

constexpr wchar_t SelectAll = 0x01;  // Ctrl+A
constexpr wchar_t Paste = 0x16;      // Ctrl+V

struct Hook {
    KeyFilter filter;
    std::size_t limit;
};

std::size_t selectionLength(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return end > start ? end - start : 0;
}

// Whether replacing the selection with `inserted` characters would go beyond the limit.
bool wouldOverflow(HWND edit, const Hook& hook, std::size_t inserted) {
    const auto length = static_cast<std::size_t>(GetWindowTextLengthW(edit));
    return !fitsTextBox(length, selectionLength(edit), inserted, hook.limit);
}

// The text on the clipboard; empty when there is none.
std::u16string clipboardText(HWND owner) {
    std::u16string text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const char16_t*>(GlobalLock(data))) {
            // Up to the terminating zero, never beyond the memory the clipboard holds.
            const std::u16string_view held(units, GlobalSize(data) / sizeof(char16_t));
            text = held.substr(0, held.find(u'\0'));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// Whether inserting `inserted` characters must be refused; if so, says so at the box.
bool refuseTooLong(HWND edit, const Hook& hook, std::size_t inserted) {
    if (!wouldOverflow(edit, hook, inserted)) return false;
    const std::wstring text = wide(TextTooLongNotice);
    EDITBALLOONTIP tip{sizeof(EDITBALLOONTIP), L"", text.c_str(), TTI_WARNING};
    // The balloon needs the visual-style controls; without them the beep alone tells.
    MessageBeep(MB_ICONWARNING);
    SendMessageW(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip));
    return true;
}

// A paste takes the first line of the clipboard's text that is not empty, refused whole when it
// would not fit.
void paste(HWND edit, const Hook& hook) {
    const std::u16string text = clipboardText(edit);
    const std::u16string_view line = pastedLine(text);
    if (line.empty() || refuseTooLong(edit, hook, line.size())) return;
    const std::wstring replacement(line.begin(), line.end());
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(replacement.c_str()));
}

LRESULT typeCharacter(HWND edit, const Hook& hook, wchar_t character, LPARAM lParam) {
    switch (character) {
    case SelectAll:
        SendMessageW(edit, EM_SETSEL, 0, -1);
        return 0;
    case Paste:
        SendMessageW(edit, WM_PASTE, 0, 0);
        return 0;
    default:
        break;
    }
    // Control characters (Backspace, Ctrl+C, Ctrl+X, Ctrl+Z) insert nothing.
    if (character >= L' ' && refuseTooLong(edit, hook, 1)) return 0;
    return DefSubclassProc(edit, WM_CHAR, character, lParam);
}

LRESULT CALLBACK hookProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* hook = reinterpret_cast<Hook*>(data);
    switch (message) {
    case WM_CHAR: {
        const auto typed = static_cast<wchar_t>(wParam);
        const TypedKey key = hook->filter(typed);
        // The filter may have run a handler that closed the window.
        if (!IsWindow(edit)) return 0;
        switch (key.outcome) {
        case KeyOutcome::Swallow: return 0;
        case KeyOutcome::TypeAsUsual: return typeCharacter(edit, *hook, typed, lParam);
        case KeyOutcome::TypeReplacement: {
            if (refuseTooLong(edit, *hook, 1)) return 0;
            const wchar_t text[] = {key.replacement, L'\0'};
            SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
            return 0;
        }
        }
        return 0;
    }
    case WM_KEYDOWN:
        // Shift+Insert pastes too; it goes through the same check.
        if (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0) {
            SendMessageW(edit, WM_PASTE, 0, 0);
            return 0;
        }
        break;
    case WM_PASTE:
        paste(edit, *hook);
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, &hookProcedure, 0);
        delete hook;
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void hookTextBox(HWND edit, KeyFilter filter, std::size_t limit) {
    // The system's own limit (30,000 unless told) would cut a paste silently.
    SendMessageW(edit, EM_SETLIMITTEXT, limit, 0);
    SetWindowSubclass(edit, &hookProcedure, 0, reinterpret_cast<DWORD_PTR>(new Hook{std::move(filter), limit}));
}

}  // namespace forms::detail::win32
