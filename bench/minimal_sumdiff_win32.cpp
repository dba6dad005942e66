// The sumdiff window written directly on the Win32 API, without the frame: the yardstick the
// Windows start-up and footprint benchmark (bench/startup-windows) measures sumdiff.exe against.
// Same client size, nine controls at the same twip positions, the system's message font,
// same tab order and first focus, and the same sum or difference on a click; nothing more.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kCommand1 = 1;

UINT dpi = 96;
HFONT font = nullptr;
HWND text1 = nullptr, text2 = nullptr, text3 = nullptr, option1 = nullptr;

int pixels(int twips) { return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

HWND control(HWND parent, const wchar_t* kind, const wchar_t* caption, DWORD style, int left, int top,
             int width, int height, int id = 0) {
    HWND child = CreateWindowExW(kind == std::wstring(WC_EDITW) ? WS_EX_CLIENTEDGE : 0, kind, caption,
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, pixels(left), pixels(top), pixels(width),
                                 pixels(height), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 nullptr, nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

double number(HWND box) {
    wchar_t text[64] = L"";
    GetWindowTextW(box, text, 64);
    for (wchar_t& c : text) {
        if (c == L',') c = L'.';
    }
    return std::wcstod(text, nullptr);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kCommand1 && HIWORD(wParam) == BN_CLICKED) {
            const double a = number(text1);
            const double b = number(text2);
            const bool sum = SendMessageW(option1, BM_GETCHECK, 0, 0) == BST_CHECKED;
            wchar_t shown[32];
            std::swprintf(shown, 32, L"%.9g", static_cast<double>(static_cast<float>(sum ? a + b : a - b)));
            SetWindowTextW(text3, shown);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    dpi = GetDpiForSystem();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    font = CreateFontIndirectW(&metrics.lfMessageFont);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"MinimalSumdiff";
    RegisterClassExW(&windowClass);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, pixels(7560), pixels(4755)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, 0, dpi);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Form1", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                                  nullptr);

    // Created in tab order, so that the dialog navigation follows it; labels last.
    text1 = control(window, WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, 600, 480, 1455, 285);
    text2 = control(window, WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, 3000, 480, 1695, 285);
    text3 = control(window, WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, 5280, 480, 1695, 285);
    option1 = control(window, WC_BUTTONW, L"Сумма", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 600, 2040,
                      1215, 615);
    control(window, WC_BUTTONW, L"Разность", BS_AUTORADIOBUTTON, 2640, 2040, 1335, 615);
    control(window, WC_BUTTONW, L"вычислить", WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 4680, 1440, 1815, 495,
            kCommand1);
    control(window, WC_STATICW, L"C", SS_CENTER, 5520, 120, 1215, 375);
    control(window, WC_STATICW, L"B", SS_CENTER, 3240, 120, 1215, 375);
    control(window, WC_STATICW, L"A", SS_CENTER, 840, 120, 975, 255);

    ShowWindow(window, show);
    SetFocus(text1);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(font);
    return static_cast<int>(message.wParam);
}
