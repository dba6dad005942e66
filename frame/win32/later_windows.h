// What the frame takes from Windows 8.1 and 10 (the per-monitor DPI family), looked up once at
// start-up, and what stands in for it on Windows 7 and 8: every window at the system's DPI, the
// system's metrics and frame sizes as they are. Nothing here is imported by name, so every
// executable starts on Windows 7 SP1; on Windows 10 and 11 the calls are the system's own.
#pragma once

#include <windows.h>

#include <span>
#include <string_view>

namespace forms::detail::win32 {

// The message a per-monitor aware window gets before the system rescales it (Windows 10 1703);
// the headers for Windows 7 do not name it.
constexpr UINT DpiScaledSizeMessage = 0x02E4;

// The names of the functions looked up, in user32.dll: none of them is imported.
std::span<const std::string_view> laterFunctionNames();

// Looks the functions up and makes the process DPI aware: per monitor (v2) where the system can,
// otherwise system-wide. Done by startProcess, once; later calls do nothing.
void lookUpLaterFunctions();

// For tests: every later function taken as missing from now on, as on Windows 7.
void forgetLaterFunctions();

// The DPI the window is drawn at: its monitor's, or the system's without per-monitor DPI.
UINT windowDpi(HWND window);
// The system's DPI, read from the screen's device context.
UINT systemDpi();
// The window frame around `client` for the style at `dpi`.
void adjustWindowRect(RECT& client, DWORD style, DWORD exStyle, UINT dpi);
// A system metric at `dpi`; without the per-DPI call, the metric at the system's DPI scaled.
int systemMetric(int index, UINT dpi);
// The system's fonts and caption sizes at `dpi`; without the per-DPI call, those at the system's
// DPI scaled.
NONCLIENTMETRICSW nonClientMetrics(UINT dpi);

}  // namespace forms::detail::win32
