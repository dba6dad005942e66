// Starts a program, waits until its main window is shown, closes the window the way its close
// box does (WM_SYSCOMMAND SC_CLOSE) and expects the program to end with exit status 0.
//   window_smoke.exe PROGRAM.exe
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kWindowTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 30000;

struct Search {
    DWORD processId;
    HWND window;
};

std::string utf8(const wchar_t* text) {
    std::string bytes(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.pop_back();
    return bytes;
}

BOOL CALLBACK takeMainWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return TRUE;
    search.window = window;
    return FALSE;
}

int fail(const wchar_t* program, const char* what, PROCESS_INFORMATION& process) {
    std::fprintf(stderr, "%ls: %s\n", program, what);
    TerminateProcess(process.hProcess, 99);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_smoke PROGRAM.exe\n");
        return 2;
    }
    const wchar_t* program = argv[1];
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "%ls: cannot start it (error %lu)\n", program, GetLastError());
        return 1;
    }

    Search search{process.dwProcessId, nullptr};
    const ULONGLONG deadline = GetTickCount64() + kWindowTimeoutMs;
    while (!search.window) {
        if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) {
            DWORD status = 0;
            GetExitCodeProcess(process.hProcess, &status);
            std::fprintf(stderr, "%ls: ended with status %lu before showing a window\n", program, status);
            return 1;
        }
        if (GetTickCount64() > deadline) return fail(program, "no window shown within 30 s", process);
        EnumWindows(takeMainWindow, reinterpret_cast<LPARAM>(&search));
    }
    wchar_t caption[256] = L"";
    GetWindowTextW(search.window, caption, 256);
    WaitForInputIdle(process.hProcess, kExitTimeoutMs);

    PostMessageW(search.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (WaitForSingleObject(process.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0)
        return fail(program, "still running 30 s after its window was closed", process);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (status != 0) {
        std::fprintf(stderr, "%ls: exit status %lu after closing its window\n", program, status);
        return 1;
    }
    std::printf("%s: window \"%s\" shown and closed, exit status 0\n", utf8(program).c_str(), utf8(caption).c_str());
    return 0;
}
