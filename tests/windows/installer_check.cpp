// Checks an installation made by the Windows installer, from inside the wine prefix it was made in:
// each program's .exe in the installation folder, its Start-menu shortcut (target, and the
// program's summary as description) and one "Apps & features" entry (name, version, publisher,
// folder, size). The programs come from all_programs.inc, their texts from their descriptors.
//   installer_check.exe user|machine [VERSION]      VERSION is the version record's unless given
// That nothing is left after a removal, installer_test.sh checks on the prefix as a whole.

// The frame's headers come first: the system's headers define `interface` as a macro.
#include "all_programs.h"
#include "project.h"
#include "utf16.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <cwctype>
#include <string>
#include <string_view>
#include <vector>


namespace {

const auto& projects = forms::allPrograms;

constexpr const wchar_t* kProductName = L"Forms programs";
constexpr const wchar_t* kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

int failures = 0;

void fail(const std::wstring& what) {
    std::fprintf(stderr, "FAIL: %ls\n", what.c_str());
    ++failures;
}

std::wstring wide(std::string_view text) {
    const std::u16string units = forms::detail::utf16FromUtf8(text);
    return std::wstring(units.begin(), units.end());
}

std::wstring lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

std::wstring knownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::wstring result;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) result = path;
    CoTaskMemFree(path);
    return result;
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring stringValue(HKEY key, const wchar_t* name) {
    wchar_t buffer[1024];
    DWORD size = sizeof buffer - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return L"(missing)";
    buffer[size / sizeof(wchar_t)] = L'\0';
    return buffer;
}

void checkShortcut(const std::wstring& name, const std::wstring& program, std::string_view summary) {
    std::wstring shortcut;
    for (const std::wstring& menu : {knownFolder(FOLDERID_Programs), knownFolder(FOLDERID_CommonPrograms)})
        if (!menu.empty() && exists(menu + L"\\" + name + L".lnk")) shortcut = menu + L"\\" + name + L".lnk";
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    if (shortcut.empty()) {
        fail(name + L": no Start-menu shortcut");
    } else if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                       reinterpret_cast<void**>(&link))) ||
               FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) ||
               FAILED(file->Load(shortcut.c_str(), STGM_READ))) {
        fail(shortcut + L": cannot be read");
    } else {
        wchar_t text[1024] = L"";
        link->GetPath(text, 1024, nullptr, 0);
        if (lower(text) != lower(program)) fail(shortcut + L" points to " + text);
        link->GetDescription(text, 1024);
        if (text != wide(summary)) fail(shortcut + L" is described as \"" + text + L"\"");
    }
    if (file) file->Release();
    if (link) link->Release();
}

// The registry view the package of this architecture writes a per-machine entry to: the 32-bit
// one for the x86 package, which 64-bit Windows keeps apart.
constexpr REGSAM kPackageView = sizeof(void*) == 4 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;

// The one uninstall entry named as the product, per user or per machine.
void checkUninstallEntry(const std::wstring& folder, const std::wstring& version) {
    std::vector<HKEY> entries;
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        HKEY parent;
        if (RegOpenKeyExW(root, kUninstallKey, 0, KEY_READ | kPackageView, &parent) != ERROR_SUCCESS) continue;
        wchar_t name[256];
        for (DWORD index = 0, length = 256;
             RegEnumKeyExW(parent, index, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
             ++index, length = 256) {
            HKEY entry;
            if (RegOpenKeyExW(parent, name, 0, KEY_READ | kPackageView, &entry) != ERROR_SUCCESS) continue;
            if (stringValue(entry, L"DisplayName") == kProductName)
                entries.push_back(entry);
            else
                RegCloseKey(entry);
        }
        RegCloseKey(parent);
    }
    if (entries.size() != 1) fail(std::to_wstring(entries.size()) + L" uninstall entries, not one");
    if (entries.empty()) return;
    const HKEY entry = entries[0];
    if (stringValue(entry, L"DisplayVersion") != version) fail(L"DisplayVersion " + stringValue(entry, L"DisplayVersion"));
    if (stringValue(entry, L"Publisher") != wide(projects[0]->version->companyName))
        fail(L"Publisher " + stringValue(entry, L"Publisher"));
    if (lower(stringValue(entry, L"InstallLocation")) != lower(folder + L"\\"))
        fail(L"InstallLocation " + stringValue(entry, L"InstallLocation"));
    // The size in KiB, as the system computes it (EstimatedSize) or as the package states it (Size).
    DWORD estimated = 0;
    DWORD length = sizeof estimated;
    RegQueryValueExW(entry, L"EstimatedSize", nullptr, nullptr, reinterpret_cast<BYTE*>(&estimated), &length);
    if (estimated == 0 && _wtoi(stringValue(entry, L"Size").c_str()) == 0) fail(L"no size");
    for (HKEY key : entries) RegCloseKey(key);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring scope = argc > 1 ? argv[1] : L"";
    if ((scope != L"user" && scope != L"machine") || argc > 3) {
        std::fprintf(stderr, "usage: installer_check user|machine [VERSION]\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring folder =
        (scope == L"user" ? knownFolder(FOLDERID_LocalAppData) + L"\\Programs" : knownFolder(FOLDERID_ProgramFiles)) +
        L"\\" + kProductName;
    for (const forms::Project* project : projects) {
        const std::wstring name = wide(project->title);
        const std::wstring program = folder + L"\\" + name + L".exe";
        if (!exists(program)) fail(program + L" is missing");
        checkShortcut(name, program, project->summary);
    }
    checkUninstallEntry(folder, argc == 3 ? std::wstring(argv[2]) : wide(projects[0]->version->productVersionText));
    CoUninitialize();
    std::printf("installed per %ls: %s\n", scope.c_str(), failures ? "FAILED" : "as expected");
    return failures ? 1 : 0;
}
