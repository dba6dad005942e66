// Holds wine's desktop of the current X display open while the tests run. Wine starts its
// desktop process when a program first needs the desktop, as a child that inherits that
// program's output, and ends it a few seconds after the last program leaves; under CTest the
// test that happened to start it would wait for it to end, which can be long after its own
// program ended. Started once before the tests with its output sent away, the keeper makes the
// desktop process start outside any test and keeps it running until the keeper is ended.
//   desktop_keeper.exe READY_FILE     (writes READY_FILE once the desktop is up)
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    GetDesktopWindow();
    // A message-only window: on the desktop, yet invisible and never found among the top-level windows.
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!window) return 1;
    if (FILE* ready = _wfopen(argv[1], L"w")) std::fclose(ready);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
