// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <ostream>

#include "cli/CliArguments.h"
#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand::cli {

enum class CommandOutcome {
    Done,
    Refused,     // refused, answered No, or nothing to do it on (exit status 1)
    WrongUsage,  // an argument names nothing the command can work on (exit status 2)
};

// Whether the command works on an installation that must be set up first.
bool NeedsInstallation(const std::string& command);
// Whether the command's start sweeps the temporaries killed runs left: not for the commands
// that only read the car folders (they leave those temporaries out), where the sweep's listing
// of every team folder would cost as much as the command's own.
bool SweepsLeftovers(const std::string& command);

// Runs one command through the same operation the desktop program's window calls. Results go
// to `out` one per line; a complaint about an argument goes to `err`.
CommandOutcome RunCommand(ProgramValues& pv, platform::Ui& ui, const CliRequest& request,
                          std::ostream& out, std::ostream& err);

}  // namespace movrand::cli
