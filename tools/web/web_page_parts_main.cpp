// Writes what the browser build puts into each program's page besides the program itself, from
// the same project descriptors the programs run: <folder>/<program>.json with the window's
// caption (the page's title), the one-line summary (the pages' index) and the version record
// (the page's <meta> lines). Run under node at build time.
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "all_programs.h"
#include "project.h"

namespace {

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) continue;
        out += c;
    }
    return out + "\"";
}

std::string describe(const forms::Project& project) {
    std::string json = "{\"name\": " + quoted(project.title) + ", \"caption\": " + quoted(project.window.caption) +
                       ", \"summary\": " + quoted(project.summary) + ", \"version\": {";
    if (const forms::VersionRecord* version = project.version) {
        const std::pair<std::string_view, std::string_view> fields[] = {
            {"FileVersion", version->fileVersionText},     {"ProductVersion", version->productVersionText},
            {"FileVersionNumber", version->fileVersion},   {"ProductVersionNumber", version->productVersion},
            {"ProductName", version->productName},         {"InternalName", version->internalName},
            {"OriginalFilename", version->originalFilename}, {"CompanyName", version->companyName},
            {"StringFileInfo", version->stringTable}};
        bool first = true;
        for (const auto& [key, value] : fields) {
            json += (first ? "" : ", ") + quoted(key) + ": " + quoted(value);
            first = false;
        }
    }
    return json + "}}\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: web_page_parts FOLDER\n";
        return 2;
    }
    for (const forms::Project* project : forms::allPrograms) {
        const std::string file = std::string(argv[1]) + "/" + std::string(project->title) + ".json";
        std::ofstream out(file, std::ios::binary);
        out << describe(*project);
        if (!out.flush()) {
            std::cerr << "cannot write " << file << "\n";
            return 1;
        }
    }
    return 0;
}
