// The Win32 backend's process-wide state and what its files ask of the system.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "form_window.h"
#include "held_keys.h"
#include "later_windows.h"
#include "system.h"
#include "utf16.h"
#include "window_rules.h"

namespace forms::detail::win32 {

Process& process() {
    static Process state;
    return state;
}

namespace {

bool isButton(HWND window) {
    wchar_t className[8] = {};
    return GetClassNameW(window, className, 8) && std::wstring_view(className) == L"Button";
}

// The core's action keys (window_rules.h) act once per press: a repeat of one is dropped before
// any control or dialog sees it. Their key codes are the codes the core names them by. True
// when `message` is dropped.
static_assert(VK_RETURN == EnterKey && VK_ESCAPE == EscapeKey && VK_SPACE == SpaceKey);

bool dropRepeatedActionKey(const MSG& message) {
    const auto key = static_cast<int>(message.wParam);
    if (!isActionKey(key, isButton(message.hwnd))) return false;
    if (message.message == WM_KEYUP) heldKeys().release(key);
    if (message.message != WM_KEYDOWN) return false;
    // Bit 30: the key was already down before this message. The system keeps the keyboard's
    // state whichever window a release went to, so a press after any release is fresh.
    return !heldKeys().press(key, (message.lParam & (1L << 30)) != 0 ? KeyPressKind::Repeat : KeyPressKind::Fresh);
}

// The same for the loops of modal dialogs (the system's message box, our input box).
LRESULT CALLBACK filterDialogMessage(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX && dropRepeatedActionKey(*reinterpret_cast<const MSG*>(lParam))) return TRUE;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The system's text for the last error of this thread, without its line end.
std::string lastErrorText() {
    const DWORD code = GetLastError();
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    if (text.empty()) return "error " + std::to_string(code);
    return narrow(text);
}

}  // namespace

void startProcess() {
    Process& state = process();
    if (state.started) return;
    state.started = true;
    state.instance = GetModuleHandleW(nullptr);
    lookUpLaterFunctions();
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    FormWindow::registerWindowClass();
    SetWindowsHookExW(WH_MSGFILTER, &filterDialogMessage, nullptr, GetCurrentThreadId());
}

void handleMessage(MSG& message) {
    if (dropRepeatedActionKey(message)) return;
    FormWindow* window = FormWindow::of(message.hwnd);
    if (window && window->navigate(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

CannotOpenWindow::CannotOpenWindow() : std::runtime_error(lastErrorText()) {}

std::wstring wide(std::string_view utf8) {
    const std::u16string converted = utf16FromUtf8(utf8);
    return std::wstring(converted.begin(), converted.end());
}

std::string narrow(std::wstring_view utf16) {
    const std::u16string units(utf16.begin(), utf16.end());
    return utf8FromUtf16(units);
}

int scaled(int pixelsAt96, UINT dpi) { return MulDiv(pixelsAt96, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI); }

LOGFONTW messageFont(UINT dpi) { return nonClientMetrics(dpi).lfMessageFont; }

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
}

void copyToClipboard(HWND owner, std::wstring_view text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (!memory) return;
    auto* target = static_cast<wchar_t*>(GlobalLock(memory));
    text.copy(target, text.size());
    target[text.size()] = L'\0';
    GlobalUnlock(memory);
    if (OpenClipboard(owner)) {
        EmptyClipboard();
        if (SetClipboardData(CF_UNICODETEXT, memory)) memory = nullptr;  // the clipboard owns it now
        CloseClipboard();
    }
    if (memory) GlobalFree(memory);
}

}  // namespace forms::detail::win32
