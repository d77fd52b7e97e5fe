// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "cli/CliArguments.h"
#include "cli/CliCommands.h"

namespace movrand::cli {

struct Call;

// One command of movrand-cli: all that the argument checks, the run, --help and the manual page
// know of it. A new command is one row of the table.
struct CliCommand {
    const char* Name;
    const char* Synopsis;                     // its arguments and own options, as --help shows them
    std::size_t Operands;                     // the arguments it needs
    std::size_t OptionalOperands;             // the arguments it may take beyond them
    std::vector<std::string> Options;         // its own options, standing after it
    bool NeedsInstallation;                   // works on an installation that must be set up first
    CommandOutcome (*Run)(Call&);             // the handler
    std::string (*Check)(const CliRequest&);  // what else is wrong with a call, "" if nothing
    const char* Help;                         // its lines in --help, without their indent
    const char* Manual;                       // its paragraph in the manual page (roff)
};

// The commands, in the order --help and the manual page list them.
const std::vector<CliCommand>& CliCommandTable();

// The command of that name, or nullptr.
const CliCommand* FindCliCommand(const std::string& name);

}  // namespace movrand::cli
