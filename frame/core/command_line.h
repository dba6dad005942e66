// What a program does with its command line, the same on every platform. The programs take no
// input from it: `--help` and `--version` print and end the program, any other argument is
// ignored, and none reaches the toolkit. No toolkit include.
#pragma once

#include <optional>
#include <string>

#include "project.h"

namespace forms {

enum class CommandLineRequest { OpenWindow, Help, Version };

// `--help` anywhere wins over `--version`; everything else, argv[0] included, is ignored.
CommandLineRequest commandLineRequest(int argc, const char* const* argv);

// "Usage: sumdiff [--help | --version]", what the program does and the two options.
std::string helpText(const Project& project);

// "sumdiff 1.00": the product name and version text of the version record.
std::string versionText(const Project& project);

// Prints the help or the version on standard output and gives the exit status (0, or 1 when
// the text could not be written); gives nothing when the window is to be opened.
std::optional<int> answerCommandLine(const Project& project, int argc, const char* const* argv);

}  // namespace forms
