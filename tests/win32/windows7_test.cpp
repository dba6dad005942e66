// The frame as it runs on Windows 7 and 8, where the per-monitor DPI functions are missing:
// every lookup made to fail (forgetLaterFunctions), each program's window opened at the
// system's DPI set to 96 and then 144 in wine's registry. The window keeps its described client
// size at that DPI and every caption fits its control in the font the window uses. Each DPI
// runs in a child process of this program, as a process reads the system's DPI when it starts.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <string_view>

#include "all_programs.h"
#include "layout.h"
#include "win32/later_windows.h"
#include "win32/open_window.h"
#include "win32/system.h"
#include "window_rules.h"

namespace {

using forms::detail::win32::wide;

// The control's own font, as the core's caption rule measures it.
class ControlFontMeasurer final : public forms::detail::CaptionMeasurer {
public:
    explicit ControlFontMeasurer(HWND control) : context_(GetDC(control)), control_(control) {
        previous_ = SelectObject(context_, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics{};
        GetTextMetricsW(context_, &metrics);
        lineHeight_ = metrics.tmHeight;
    }
    ~ControlFontMeasurer() {
        SelectObject(context_, previous_);
        ReleaseDC(control_, context_);
    }
    ControlFontMeasurer(const ControlFontMeasurer&) = delete;
    ControlFontMeasurer& operator=(const ControlFontMeasurer&) = delete;

    void useSize(int) override {}
    double textWidth(std::string_view caption) override {
        const std::wstring text = wide(caption);
        RECT needed{};
        DrawTextW(context_, text.c_str(), static_cast<int>(text.size()), &needed, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        return needed.right;
    }
    double lineHeight() override { return lineHeight_; }
    // Without per-monitor DPI every window is at the system's DPI, and so are the metrics.
    double optionMarkWidth() override { return GetSystemMetrics(SM_CXMENUCHECK); }

private:
    HDC context_;
    HWND control_;
    HGDIOBJ previous_ = nullptr;
    double lineHeight_ = 0;
};

// In the child: every program's window, without the later functions, at `dpi`. The number of
// faults found, each described on standard error.
int checkWindowsAt(UINT dpi) {
    forms::detail::win32::forgetLaterFunctions();
    int faults = 0;
    const auto fault = [&](std::string_view program, const std::string& what) {
        std::fprintf(stderr, "at %u DPI, %.*s: %s\n", dpi, static_cast<int>(program.size()), program.data(), what.c_str());
        ++faults;
    };
    if (forms::detail::win32::systemDpi() != dpi) {
        fault("the system", "its DPI is " + std::to_string(forms::detail::win32::systemDpi()));
        return faults;
    }
    for (const forms::Project* project : forms::allPrograms) {
        forms::testing::OpenWindow window(*project);
        forms::testing::processPendingMessages();
        const forms::WindowDescription& description = project->window;
        RECT client{};
        GetClientRect(window.window(), &client);
        const int width = forms::detail::pixelsFromTwips(description.clientWidth, dpi);
        const int height = forms::detail::pixelsFromTwips(description.clientHeight, dpi);
        if (client.right != width || client.bottom != height) {
            fault(project->title, "client area " + std::to_string(client.right) + "x" + std::to_string(client.bottom) +
                                      ", described " + std::to_string(width) + "x" + std::to_string(height));
        }
        ControlFontMeasurer measurer(window.control(description.controls[0].name));
        if (!forms::detail::everyCaptionFits(description, dpi, measurer)) fault(project->title, "a caption does not fit");
    }
    return faults;
}

// The system's DPI in wine's registry, set for the processes started while it lives, and put
// back as it was.
class SystemDpi {
public:
    explicit SystemDpi(DWORD dpi) {
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        nullptr);
        DWORD size = sizeof(previous_);
        hadValue_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&previous_), &size) ==
                    ERROR_SUCCESS;
        RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
    }
    ~SystemDpi() {
        if (hadValue_) {
            RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_), sizeof(previous_));
        } else {
            RegDeleteValueW(key_, L"LogPixels");
        }
        RegCloseKey(key_);
    }
    SystemDpi(const SystemDpi&) = delete;
    SystemDpi& operator=(const SystemDpi&) = delete;

private:
    HKEY key_ = nullptr;
    DWORD previous_ = 0;
    bool hadValue_ = false;
};

// This program again as the child that checks the windows at `dpi`; its exit status.
DWORD runChild(UINT dpi) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --windows-at-dpi " + std::to_wstring(dpi);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child)) {
        return 255;
    }
    WaitForSingleObject(child.hProcess, INFINITE);
    DWORD status = 255;
    GetExitCodeProcess(child.hProcess, &status);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return status;
}

TEST(Windows7Fallbacks, WindowsKeepTheirClientSizeAndCaptionsFitAt96And144Dpi) {
    for (const UINT dpi : {96u, 144u}) {
        const SystemDpi setting(dpi);
        EXPECT_EQ(runChild(dpi), 0u) << "the windows at " << dpi << " DPI (faults above)";
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[1]) == "--windows-at-dpi") {
        return checkWindowsAt(static_cast<UINT>(std::stoul(argv[2])));
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
