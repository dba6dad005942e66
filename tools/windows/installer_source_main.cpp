// Writes the installer's program list for the WiX source (forms-programs.wxs): the product
// version and publisher from the programs' version records, and for each program its
// executable and its Start-menu shortcut, described by the program's one-line summary.
// The programs come from all_programs.inc, the same list the build makes everything else from.
//   installer_source OUTPUT.wxi
#include <fstream>
#include <iostream>
#include <span>
#include <string>
#include <string_view>

#include "all_programs.h"
#include "project.h"
#include "version.h"


namespace {

const auto& projects = forms::allPrograms;

// The shortcut table keeps at most 255 characters of a description.
constexpr std::size_t kMaxDescription = 255;

std::string xmlEscaped(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

// A component, file or shortcut identifier: letters, digits, '_' and '.', not starting with a digit.
bool isIdentifier(std::string_view name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
    for (char c : name) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && !(c >= '0' && c <= '9') && c != '_') return false;
    }
    return true;
}

// Every program must ship in the same version from the same publisher: one package, one version.
bool check(std::span<const forms::Project* const> list, std::string& error) {
    const forms::VersionRecord* first = list.front()->version;
    for (const forms::Project* project : list) {
        const std::string name(project->title);
        const forms::VersionRecord* record = project->version;
        if (!record) {
            error = name + ": the project descriptor has no version record";
            return false;
        }
        if (record->productVersionText != first->productVersionText || record->companyName != first->companyName) {
            error = name + ": its version record differs from " + std::string(list.front()->title) +
                    "'s in product version or publisher";
            return false;
        }
        if (!isIdentifier(name) || record->originalFilename != name + ".exe") {
            error = name + ": the name must be an identifier and the file name NAME.exe";
            return false;
        }
        if (project->summary.empty() || project->summary.size() > kMaxDescription) {
            error = name + ": the summary must be one line of 1 to 255 characters";
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " OUTPUT.wxi\n";
        return 2;
    }
    std::string error;
    if (!check(projects, error)) {
        std::cerr << argv[0] << ": " << error << '\n';
        return 1;
    }
    const forms::VersionRecord& record = *projects[0]->version;
    std::ofstream output(argv[1], std::ios::binary);
    if (!output) {
        std::cerr << argv[0] << ": cannot open " << argv[1] << " for writing\n";
        return 1;
    }
    output << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
              "<!-- Written by the build (tools/windows/installer_source_main.cpp): do not edit. -->\n"
              "<Include>\n"
           << "  <?define ProductVersion = \"" << xmlEscaped(record.productVersionText) << "\"?>\n"
           << "  <?define Publisher = \"" << xmlEscaped(record.companyName) << "\"?>\n"
           << "  <Fragment>\n"
              "    <ComponentGroup Id=\"Programs\" Directory=\"INSTALLDIR\">\n";
    for (const forms::Project* project : projects) {
        const std::string name(project->title);
        output << "      <Component Id=\"" << name << "\" Guid=\"*\" Win64=\"$(var.Win64)\">\n"
               << "        <File Id=\"" << name << ".exe\" Name=\"" << name << ".exe\" Source=\"" << name
               << ".exe\" KeyPath=\"yes\"/>\n"
               << "        <Shortcut Id=\"" << name << ".lnk\" Directory=\"ProgramMenuFolder\" Name=\"" << name
               << "\" Description=\"" << xmlEscaped(project->summary) << "\" Target=\"[#" << name
               << ".exe]\" WorkingDirectory=\"INSTALLDIR\"/>\n"
               << "      </Component>\n";
    }
    output << "    </ComponentGroup>\n"
              "  </Fragment>\n"
              "</Include>\n";
    output.close();
    if (!output) {
        std::cerr << argv[0] << ": cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
