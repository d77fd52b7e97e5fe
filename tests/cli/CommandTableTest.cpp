// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <iterator>
#include <regex>
#include <sstream>
#include <string>

#include "CliRunner.h"
#include "cli/CliCommandTable.h"
#include "common/InfoOptions.h"

namespace movrand::test {
namespace {

std::size_t Count(const std::string& text, const std::string& pattern) {
    const std::regex re(pattern);
    return std::distance(std::sregex_iterator(text.begin(), text.end(), re), {});
}

// --help and the built manual page list the commands of the table, each once, in its order.
TEST(CommandTable, HelpAndManualPageListEveryCommandInOrder) {
    const std::string help = CliMachine().Run({"--help"}).Out;
    const std::string page = CliMachine::Read(MOVRAND_CLI_MANUAL);
    const std::size_t start = page.find(".SH COMMANDS");
    ASSERT_NE(start, std::string::npos);
    const std::string commands = page.substr(start, page.find(".SH ENVIRONMENT") - start);
    std::size_t inHelp = 0;
    std::size_t inPage = 0;
    for (const cli::CliCommand& command : cli::CliCommandTable()) {
        const std::string name = command.Name;
        const std::string roffName = std::regex_replace(name, std::regex("-"), "\\-");
        inHelp = help.find("\n  " + name + " ", inHelp);
        inPage = commands.find(".TP\n\\fB" + roffName + "\\fR", inPage);
        ASSERT_NE(inHelp, std::string::npos) << name;
        ASSERT_NE(inPage, std::string::npos) << name;
    }
    EXPECT_EQ(Count(help, "\n  [a-z]"), cli::CliCommandTable().size());
    EXPECT_EQ(Count(commands, "\n\\.TP\n"), cli::CliCommandTable().size());
}

// Both programs' help fits a terminal of 80 columns, whatever rows the command table gains.
TEST(CommandTable, EveryHelpLineFitsEightyColumns) {
    for (const std::string& help : {CliMachine().Run({"--help"}).Out, std::string(kDesktopUsage)}) {
        std::istringstream lines(help);
        for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 80u) << line;
    }
}

}  // namespace
}  // namespace movrand::test
