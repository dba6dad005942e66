// Holds wine's desktops of the current X display open while the tests run. Wine starts a
// desktop's process when a program first needs that desktop, as a child that inherits that
// program's output, and ends it a few seconds after the last program leaves; under CTest the
// test that happened to start it would wait for it to end, which can be long after its own
// program ended. Started once before the tests with its output sent away, the keeper makes the
// desktop processes start outside any test and keeps them running until the keeper is ended.
//   desktop_keeper.exe READY_FILE [DESKTOP...]
// holds the default desktop and each named one (created if need be), then writes READY_FILE.
#include <windows.h>

#include <cstdio>
#include <thread>
#include <vector>

namespace {

// A message-only window: on the thread's desktop, yet invisible and never found among the
// top-level windows.
bool holdThreadDesktop() {
    GetDesktopWindow();
    return CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr) != nullptr;
}

void pumpMessages() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    if (!holdThreadDesktop()) return 1;
    for (int index = 2; index < argc; ++index) {
        HDESK desktop = CreateDesktopW(argv[index], nullptr, nullptr, 0, GENERIC_ALL, nullptr);
        if (!desktop) return 1;
        bool held = false;
        HANDLE started = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        std::thread([desktop, started, &held] {
            held = SetThreadDesktop(desktop) && holdThreadDesktop();
            SetEvent(started);
            if (held) pumpMessages();
        }).detach();
        WaitForSingleObject(started, INFINITE);
        CloseHandle(started);
        if (!held) return 1;
    }
    if (FILE* ready = _wfopen(argv[1], L"w")) std::fclose(ready);
    pumpMessages();
    return 0;
}
