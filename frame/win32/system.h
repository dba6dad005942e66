// What the Win32 backend's files ask of the system, in one place: the process-wide state in one
// struct, wide strings, DPI scaling, the message font, the clipboard, the hooked single-line
// text box and the message loop's handling of one message.
#pragma once

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "events.h"
#include "project.h"

namespace forms::detail::win32 {

// What the process holds for every window: the module, the window class.
struct Process {
    HINSTANCE instance = nullptr;
    ATOM windowClass = 0;
    bool started = false;
};

Process& process();

// Looks up the functions of later Windows and makes the process DPI aware (later_windows.h),
// initialises the common controls and registers the window class. Done once; later calls do
// nothing.
void startProcess();

// One message as the message loop handles it: keyboard navigation between controls first.
void handleMessage(MSG& message);

// The system could not make a window, a control or a dialog; what() is the system's own text
// for the reason.
class CannotOpenWindow : public std::runtime_error {
public:
    CannotOpenWindow();
};

std::wstring wide(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// A length in pixels at 96 DPI, at `dpi`.
int scaled(int pixelsAt96, UINT dpi);

// The system's message font at `dpi`.
LOGFONTW messageFont(UINT dpi);

// The text of a window, in UTF-16.
std::wstring windowText(HWND window);

// Puts `text` on the clipboard; a clipboard held by another program is left alone.
void copyToClipboard(HWND owner, std::wstring_view text);

// What a hooked text box does with a typed character, decided before the box sees it.
struct TypedKey {
    KeyOutcome outcome = KeyOutcome::TypeAsUsual;
    wchar_t replacement = 0;  // for TypeReplacement
};
using KeyFilter = std::function<TypedKey(wchar_t typed)>;

// Makes a single-line EDIT hold up to `limit` characters (MaxTextBoxLength for every box the
// runtime makes): typing or pasting that would go beyond is refused whole, with a notice at the
// box, and the box keeps its text. Ctrl+A selects all. Every typed character first goes
// through `filter`. The hook ends with the box.
void hookTextBox(HWND edit, KeyFilter filter, std::size_t limit = MaxTextBoxLength);

}  // namespace forms::detail::win32
