// Start-up and the message loop on Win32, the window the core creates on demand, and where the
// error line goes.
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "backend.h"
#include "command_line.h"
#include "form_window.h"
#include "runtime.h"
#include "system.h"
#include "window_loading.h"

namespace forms {

namespace detail {

std::unique_ptr<WindowHost> backend::createWindow(const Project& project) {
    return std::make_unique<FormWindow>(project);
}

void backend::writeErrorLine(std::string_view line) {
    // Lines end with CR LF here, as the help and version texts do.
    const std::string ended = std::string(line) + "\r\n";
    const std::wstring text = win32::wide(ended);
    OutputDebugStringW(text.c_str());
    // A program started from a console or with its stderr redirected has a handle; a program
    // started from the desktop has none. Whatever the write gives is ignored.
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (!error || error == INVALID_HANDLE_VALUE) return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(error, &mode)) {
        WriteConsoleW(error, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    } else {
        WriteFile(error, ended.data(), static_cast<DWORD>(ended.size()), &written, nullptr);
    }
}

}  // namespace detail

namespace {

// A windowed program has no console of its own. Asked for its help or version from a console,
// it writes to that console, unless its output already goes somewhere (a pipe, a file).
void borrowParentConsoleForOutput() {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output && output != INVALID_HANDLE_VALUE) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    FILE* reopened = nullptr;
    if (freopen_s(&reopened, "CONOUT$", "w", stdout) != 0) return;
}

}  // namespace

// Only --help and --version are read from the command line; nothing on it reaches the window
// system.
void runProject(const Project& project, int argc, char** argv) {
    if (commandLineRequest(argc, argv) != CommandLineRequest::OpenWindow) borrowParentConsoleForOutput();
    if (const std::optional<int> status = answerCommandLine(project, argc, argv)) std::exit(*status);
    std::unique_ptr<detail::FormWindow> window;
    try {
        window = detail::loadWindow<detail::FormWindow>(project);
    } catch (const detail::win32::CannotOpenWindow& failure) {
        // Said in one line where the error lines go, and the program ends: there is nothing a
        // user typed to keep yet.
        const std::string name(project.version ? project.version->productName : project.title);
        detail::backend::writeErrorLine(name + ": cannot open a window: " + failure.what());
        std::exit(1);
    }
    window->showAtStart(SW_SHOWDEFAULT, true);
    MSG message{};
    int exitCode = 0;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            exitCode = static_cast<int>(message.wParam);
            break;
        }
        if (got == -1) {
            exitCode = 1;
            break;
        }
        detail::win32::handleMessage(message);
    }
    window.reset();
    std::exit(exitCode);
}

}  // namespace forms
