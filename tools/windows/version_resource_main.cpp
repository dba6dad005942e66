// Writes a program's resource script for a Windows build: its version record and window icon.
// Built once per program; the program's namespace and header come from the build.
#include <fstream>
#include <iostream>

#include PROGRAM_HEADER
#include "version.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " OUTPUT.rc ICON.ico\n";
        return 2;
    }
    const forms::VersionRecord* record = PROGRAM_NAMESPACE::project.version;
    if (!record) {
        std::cerr << argv[0] << ": the project descriptor has no version record\n";
        return 1;
    }
    std::ofstream output(argv[1], std::ios::binary);
    output << forms::versionResourceScript(*record, argv[2]);
    return output ? 0 : 1;
}
