// The later functions of later_windows.h, looked up in user32.dll, and their stand-ins.
#include "later_windows.h"

#include <array>

namespace forms::detail::win32 {

namespace {

using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiCall = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiCall = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiCall = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
using SetProcessDpiAwarenessContextCall = BOOL(WINAPI*)(HANDLE);

constexpr std::array<std::string_view, 5> names = {
    "GetDpiForWindow", "AdjustWindowRectExForDpi", "GetSystemMetricsForDpi", "SystemParametersInfoForDpi",
    "SetProcessDpiAwarenessContext",
};

// The process's per-monitor awareness (v2), as the handle the system names it by.
const HANDLE perMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));

struct LaterFunctions {
    bool lookedUp = false;
    GetDpiForWindowCall getDpiForWindow = nullptr;
    AdjustWindowRectExForDpiCall adjustWindowRectExForDpi = nullptr;
    GetSystemMetricsForDpiCall getSystemMetricsForDpi = nullptr;
    SystemParametersInfoForDpiCall systemParametersInfoForDpi = nullptr;
    SetProcessDpiAwarenessContextCall setProcessDpiAwarenessContext = nullptr;
    UINT systemDpi = USER_DEFAULT_SCREEN_DPI;
};

LaterFunctions& later() {
    static LaterFunctions functions;
    return functions;
}

// A function of user32.dll by name, or nullptr where this Windows has none. The address goes
// through the one function pointer type that converts to any other without a warning.
template <class Call>
Call lookUp(HMODULE user32, std::string_view name) {
    const FARPROC address = user32 ? GetProcAddress(user32, name.data()) : nullptr;
    return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(address));
}

UINT readSystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

std::span<const std::string_view> laterFunctionNames() { return names; }

void lookUpLaterFunctions() {
    LaterFunctions& functions = later();
    if (functions.lookedUp) return;
    functions.lookedUp = true;
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    functions.getDpiForWindow = lookUp<GetDpiForWindowCall>(user32, names[0]);
    functions.adjustWindowRectExForDpi = lookUp<AdjustWindowRectExForDpiCall>(user32, names[1]);
    functions.getSystemMetricsForDpi = lookUp<GetSystemMetricsForDpiCall>(user32, names[2]);
    functions.systemParametersInfoForDpi = lookUp<SystemParametersInfoForDpiCall>(user32, names[3]);
    functions.setProcessDpiAwarenessContext = lookUp<SetProcessDpiAwarenessContextCall>(user32, names[4]);
    // The executable's manifest asks for per-monitor awareness (v2, and v1 on Windows 8.1) and
    // system-wide awareness before; a test executable has no manifest, so ask here too. Refused
    // once the process's awareness is set, which is fine. The older call only where the newer
    // one is missing, so that it never touches an awareness the manifest set.
    if (functions.setProcessDpiAwarenessContext) {
        functions.setProcessDpiAwarenessContext(perMonitorAwareV2);
    } else {
        SetProcessDPIAware();
    }
    // Read once aware: an unaware process is told 96 whatever the screen has.
    functions.systemDpi = readSystemDpi();
}

void forgetLaterFunctions() {
    LaterFunctions& functions = later();
    functions.lookedUp = true;
    functions.getDpiForWindow = nullptr;
    functions.adjustWindowRectExForDpi = nullptr;
    functions.getSystemMetricsForDpi = nullptr;
    functions.systemParametersInfoForDpi = nullptr;
    functions.setProcessDpiAwarenessContext = nullptr;
    SetProcessDPIAware();
    functions.systemDpi = readSystemDpi();
}

UINT systemDpi() { return later().systemDpi; }

UINT windowDpi(HWND window) {
    const LaterFunctions& functions = later();
    if (functions.getDpiForWindow) {
        if (const UINT dpi = functions.getDpiForWindow(window)) return dpi;
    }
    return functions.systemDpi;
}

void adjustWindowRect(RECT& client, DWORD style, DWORD exStyle, UINT dpi) {
    const LaterFunctions& functions = later();
    if (functions.adjustWindowRectExForDpi && functions.adjustWindowRectExForDpi(&client, style, FALSE, exStyle, dpi)) {
        return;
    }
    // The frame at the system's DPI; a window at another DPI has its size corrected by what its
    // client area then lacks (FormWindow::resizeForDpi).
    AdjustWindowRectEx(&client, style, FALSE, exStyle);
}

int systemMetric(int index, UINT dpi) {
    const LaterFunctions& functions = later();
    if (functions.getSystemMetricsForDpi) return functions.getSystemMetricsForDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(functions.systemDpi));
}

NONCLIENTMETRICSW nonClientMetrics(UINT dpi) {
    const LaterFunctions& functions = later();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (functions.systemParametersInfoForDpi &&
        functions.systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
        return metrics;
    }
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    const auto scale = [&](auto& length) {
        length = MulDiv(length, static_cast<int>(dpi), static_cast<int>(functions.systemDpi));
    };
    if (dpi != functions.systemDpi) {
        scale(metrics.lfMessageFont.lfHeight);
        scale(metrics.lfCaptionFont.lfHeight);
        scale(metrics.iCaptionWidth);
        scale(metrics.iCaptionHeight);
    }
    return metrics;
}

}  // namespace forms::detail::win32
