// Each built program carries its version record as Windows reads it: the fixed file and product
// versions, the string table 040904B0 with the program's names and versions, and the translation.
// FORMS_PROGRAM(name) lines list the programs; FORMS_PROGRAMS_DIR is the folder they are built in.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::wstring> programs = {
#define FORMS_PROGRAM(name) L## #name,
#include "all_programs.inc"
#undef FORMS_PROGRAM
};

std::wstring stringValue(const std::vector<char>& record, const std::wstring& key) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(record.data(), (L"\\StringFileInfo\\040904B0\\" + key).c_str(), &value, &length) ||
        length == 0)
        return L"(missing)";
    return std::wstring(static_cast<const wchar_t*>(value), length - 1);
}

TEST(VersionRecord, EachProgramCarriesItsRecord) {
    ASSERT_FALSE(programs.empty());
    for (const std::wstring& name : programs) {
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        const std::wstring file = L"" FORMS_PROGRAMS_DIR "/" + name + L".exe";
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
        ASSERT_NE(size, 0u) << "no version record, error " << GetLastError();
        std::vector<char> record(size);
        ASSERT_TRUE(GetFileVersionInfoW(file.c_str(), 0, size, record.data()));

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
        EXPECT_EQ(fixed->dwFileVersionLS, 0u);
        EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
        EXPECT_EQ(fixed->dwProductVersionLS, 0u);

        WORD* translation = nullptr;
        ASSERT_TRUE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation",
                                   reinterpret_cast<void**>(&translation), &length));
        ASSERT_EQ(length, 2 * sizeof(WORD));
        EXPECT_EQ(translation[0], 0x0409);
        EXPECT_EQ(translation[1], 0x04B0);

        EXPECT_EQ(stringValue(record, L"ProductName"), name);
        EXPECT_EQ(stringValue(record, L"InternalName"), name);
        EXPECT_EQ(stringValue(record, L"OriginalFilename"), name + L".exe");
        EXPECT_EQ(stringValue(record, L"FileVersion"), L"1.00");
        EXPECT_EQ(stringValue(record, L"ProductVersion"), L"1.00");
    }
}

TEST(VersionRecord, EachProgramCarriesTheIconAndTheManifest) {
    for (const std::wstring& name : programs) {
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        const std::wstring file = L"" FORMS_PROGRAMS_DIR "/" + name + L".exe";
        HMODULE image = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(image, nullptr);
        EXPECT_NE(FindResourceW(image, MAKEINTRESOURCEW(1), RT_GROUP_ICON), nullptr);
        HRSRC manifest = FindResourceW(image, MAKEINTRESOURCEW(1), RT_MANIFEST);
        ASSERT_NE(manifest, nullptr);
        const auto* text = static_cast<const char*>(LockResource(LoadResource(image, manifest)));
        const std::string content(text, SizeofResource(image, manifest));
        EXPECT_NE(content.find("PerMonitorV2"), std::string::npos);
        EXPECT_NE(content.find("Common-Controls"), std::string::npos);
        FreeLibrary(image);
    }
}

}  // namespace
