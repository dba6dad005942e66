#include "version.h"

#include <algorithm>

namespace forms {

namespace {

// "1.0.0.0" as the comma-separated numbers a resource script wants.
std::string commaSeparated(std::string_view dotted) {
    std::string numbers(dotted);
    std::replace(numbers.begin(), numbers.end(), '.', ',');
    return numbers;
}

std::string quoted(std::string_view text) { return '"' + std::string(text) + '"'; }

}  // namespace

std::string versionResourceScript(const VersionRecord& record, std::string_view iconFile) {
    std::string script;
    const auto line = [&script](std::string_view text) { script.append(text).append("\n"); };
    const auto value = [&](std::string_view key, std::string_view text) {
        line("            VALUE " + quoted(key) + ", " + quoted(text));
    };
    line("1 ICON " + quoted(iconFile));
    line("");
    line("1 VERSIONINFO");
    line("FILEVERSION " + commaSeparated(record.fileVersion));
    line("PRODUCTVERSION " + commaSeparated(record.productVersion));
    line("FILEFLAGSMASK 0x3fL");
    line("FILEFLAGS 0x0L");
    line("FILEOS 0x4L");
    line("FILETYPE 0x1L");
    line("FILESUBTYPE 0x0L");
    line("BEGIN");
    line("    BLOCK \"StringFileInfo\"");
    line("    BEGIN");
    line("        BLOCK " + quoted(record.stringTable));
    line("        BEGIN");
    value("CompanyName", record.companyName);
    value("FileVersion", record.fileVersionText);
    value("InternalName", record.internalName);
    value("OriginalFilename", record.originalFilename);
    value("ProductName", record.productName);
    value("ProductVersion", record.productVersionText);
    line("        END");
    line("    END");
    line("    BLOCK \"VarFileInfo\"");
    line("    BEGIN");
    // The string table's language and code page as numbers: 0x0409, 1200.
    const std::string_view table = record.stringTable;
    line("        VALUE \"Translation\", 0x" + std::string(table.substr(0, 4)) + ", " +
         std::to_string(std::stoi(std::string(table.substr(4)), nullptr, 16)));
    line("    END");
    line("END");
    return script;
}

}  // namespace forms
