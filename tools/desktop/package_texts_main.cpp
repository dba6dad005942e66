// Writes what the Linux packages say of each program, from its project descriptor (the one place
// a program's texts live): for each program NAME in OUTPUT_DIR,
//   NAME.texts.cmake  the texts as CMake variables, which fill the desktop entry and the
//                     AppStream metadata (packaging/fill_template.cmake)
//   NAME.h2m          the man page's NAME section, for help2man
// The programs come from all_programs.inc, the same list the build makes everything else from.
//   package_texts OUTPUT_DIR
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "all_programs.h"
#include "project.h"

namespace {

// A CMake bracket argument holds any text but its own closing bracket.
std::string bracketed(std::string_view text) { return "[==[" + std::string(text) + "]==]"; }

bool oneLine(std::string_view text) {
    return !text.empty() && text.find('\n') == std::string_view::npos && text.find("]==]") == std::string_view::npos;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: package_texts OUTPUT_DIR\n";
        return 2;
    }
    const std::string directory = argv[1];
    for (const forms::Project* project : forms::allPrograms) {
        const std::string name(project->title);
        const forms::PackageTexts& texts = project->package;
        for (const std::string_view text : {texts.summary, texts.summaryRu, texts.description, texts.descriptionRu}) {
            if (!oneLine(text)) {
                std::cerr << "package_texts: " << name
                          << ": the package texts (summary, summaryRu, description, descriptionRu) must each be one "
                             "line, none empty\n";
                return 1;
            }
        }
        std::ofstream variables(directory + "/" + name + ".texts.cmake");
        variables << "set(PROGRAM_NAME " << bracketed(name) << ")\n"
                  << "set(SUMMARY " << bracketed(texts.summary) << ")\n"
                  << "set(SUMMARY_RU " << bracketed(texts.summaryRu) << ")\n"
                  << "set(DESCRIPTION " << bracketed(texts.description) << ")\n"
                  << "set(DESCRIPTION_RU " << bracketed(texts.descriptionRu) << ")\n";
        std::ofstream manName(directory + "/" + name + ".h2m");
        manName << "[NAME]\n" << name << " \\- " << texts.summary << "\n";
        if (!variables || !manName) {
            std::cerr << "package_texts: cannot write the texts of " << name << " in " << directory << "\n";
            return 1;
        }
    }
    return 0;
}
