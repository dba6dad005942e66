// The Win32 backend's process-wide state and what its files ask of the system.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "form_window.h"
#include "utf16.h"
#include "system.h"

namespace forms::detail::win32 {

Process& process() {
    static Process state;
    return state;
}

void startProcess() {
    Process& state = process();
    if (state.started) return;
    state.started = true;
    state.instance = GetModuleHandleW(nullptr);
    // The executable's manifest asks for per-monitor DPI awareness (v2); a test executable has
    // none, so ask here too. Refused once the process's awareness is set, which is fine.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    FormWindow::registerWindowClass();
}

void handleMessage(MSG& message) {
    FormWindow* window = FormWindow::of(message.hwnd);
    if (window && window->navigate(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

std::wstring wide(std::string_view utf8) {
    const std::u16string converted = utf16FromUtf8(utf8);
    return std::wstring(converted.begin(), converted.end());
}

std::string narrow(std::wstring_view utf16) {
    const std::u16string units(utf16.begin(), utf16.end());
    return utf8FromUtf16(units);
}

int scaled(int pixelsAt96, UINT dpi) { return MulDiv(pixelsAt96, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI); }

LOGFONTW messageFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
        return metrics.lfMessageFont;
    }
    // Without the DPI-aware call: the font at the system's DPI, scaled.
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HDC screen = GetDC(nullptr);
    const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), systemDpi);
    return metrics.lfMessageFont;
}

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
