// The version record each executable carries. FORMS_VERSION_RECORD(record, "name") defines
// `record` for a project descriptor and embeds the same fields as readable "Key=Value" texts in
// the binary's ".forms_version" section, where `strings` and `readelf -p .forms_version` show
// them. The resource script for a Windows build is generated from the record (versionResourceScript).
// No toolkit include.
#pragma once

#include <string>

#include "project.h"

#define FORMS_VERSION_FIELDS_1_00(programName)                                                          \
    "StringFileInfo=040904B0\0FileVersion=1.00\0ProductVersion=1.00\0FileVersionNumber=1.0.0.0\0"      \
    "ProductVersionNumber=1.0.0.0\0ProductName=" programName "\0InternalName=" programName               \
    "\0OriginalFilename=" programName ".exe\0CompanyName=" FORMS_VERSION_COMPANY "\0"

#define FORMS_VERSION_COMPANY "Forms team"

#define FORMS_VERSION_RECORD(record, programName)                                                      \
    [[gnu::used, gnu::section(".forms_version")]] const char record##Embedded[] =                      \
        FORMS_VERSION_FIELDS_1_00(programName);                                                         \
    constexpr forms::VersionRecord record {                                                             \
        .fileVersion = "1.0.0.0", .productVersion = "1.0.0.0", .fileVersionText = "1.00",               \
        .productVersionText = "1.00", .productName = programName, .internalName = programName,          \
        .originalFilename = programName ".exe", .companyName = FORMS_VERSION_COMPANY,                   \
        .stringTable = "040904B0"                                                                       \
    }

namespace forms {

// The resource script (VERSIONINFO and the window icon group) a Windows build compiles.
std::string versionResourceScript(const VersionRecord& record, std::string_view iconFile);

}  // namespace forms
