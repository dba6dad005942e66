// The command-line rule every backend follows: only --help and --version are answered.
#include <gtest/gtest.h>

#include <vector>

#include "command_line.h"
#include "version.h"

namespace {

using forms::CommandLineRequest;

constexpr forms::WindowDescription window{"Form1", 1000, 1000, {}};
FORMS_VERSION_RECORD(version, "proba");
const forms::Project project{.title = "proba", .window = window, .bindings = {}, .createForm = nullptr,
                             .version = &version, .summary = "Does one thing."};

CommandLineRequest requestOf(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "/usr/bin/proba");
    return forms::commandLineRequest(static_cast<int>(arguments.size()), arguments.data());
}

TEST(CommandLine, OnlyHelpAndVersionAreAnsweredAndHelpWins) {
    EXPECT_EQ(requestOf({}), CommandLineRequest::OpenWindow);
    EXPECT_EQ(requestOf({"-platform", "offscreen", "-reverse", "--helpme", "-v", "--"}), CommandLineRequest::OpenWindow);
    EXPECT_EQ(requestOf({"x", "--version"}), CommandLineRequest::Version);
    EXPECT_EQ(requestOf({"--version", "--help"}), CommandLineRequest::Help);
    EXPECT_EQ(forms::commandLineRequest(0, nullptr), CommandLineRequest::OpenWindow);
}

TEST(CommandLine, HelpAndVersionComeFromTheProjectAndItsVersionRecord) {
    EXPECT_EQ(forms::versionText(project), "proba 1.00\n");
    const std::string help = forms::helpText(project);
    EXPECT_TRUE(help.starts_with("Usage: proba [--help | --version]\nDoes one thing.\n")) << help;
    EXPECT_NE(help.find("\n  --help "), std::string::npos) << help;
    EXPECT_NE(help.find("\n  --version "), std::string::npos) << help;
}

}  // namespace
