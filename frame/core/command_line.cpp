#include "command_line.h"

#include <cstdio>
#include <string_view>

namespace forms {

namespace {

std::string_view programName(const Project& project) {
    return project.version ? project.version->productName : project.title;
}

}  // namespace

CommandLineRequest commandLineRequest(int argc, const char* const* argv) {
    CommandLineRequest request = CommandLineRequest::OpenWindow;
    for (int index = 1; index < argc && argv[index]; ++index) {
        const std::string_view argument = argv[index];
        if (argument == "--help") return CommandLineRequest::Help;
        if (argument == "--version") request = CommandLineRequest::Version;
    }
    return request;
}

std::string helpText(const Project& project) {
    const std::string name(programName(project));
    std::string text = "Usage: " + name + " [--help | --version]\n";
    if (!project.summary.empty()) text.append(project.summary).append("\n");
    text +=
        "The program opens its window; it takes no input from the command line.\n"
        "\n"
        "  --help     display this help and exit\n"
        "  --version  output version information and exit\n"
        "\n"
        "Any other argument is ignored.\n";
    return text;
}

std::string versionText(const Project& project) {
    std::string text(programName(project));
    if (project.version) text.append(" ").append(project.version->fileVersionText);
    return text + "\n";
}

std::optional<int> answerCommandLine(const Project& project, int argc, const char* const* argv) {
    const CommandLineRequest request = commandLineRequest(argc, argv);
    if (request == CommandLineRequest::OpenWindow) return std::nullopt;
    const std::string text = request == CommandLineRequest::Help ? helpText(project) : versionText(project);
    // A full disk or a closed pipe is a failure to report by the exit status.
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
    return written ? 0 : 1;
}

}  // namespace forms
