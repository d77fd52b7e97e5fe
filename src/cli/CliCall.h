// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <ostream>
#include <string>

#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "cli/CliSession.h"
#include "common/Functions.h"
#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand::cli {

// One command being run: the program-wide values, the Ui, the request and the two streams.
struct Call {
    ProgramValues& pv;
    platform::Ui& ui;
    const CliRequest& request;
    std::ostream& out;
    std::ostream& err;

    const std::string& Operand(std::size_t i) const { return request.Operands.at(i); }
    // An operand that names a file or folder, in the program's notation.
    std::string PathOperand(std::size_t i) const { return WindowsNotation(pv.Files(), Operand(i)); }
};

// The handlers of the commands (CliCommands.cpp), each called with a request whose arguments
// have been checked.
CommandOutcome Check(Call& c);
CommandOutcome Switch(Call& c);
CommandOutcome Installations(Call& c);
CommandOutcome Play(Call& c);
CommandOutcome Drivers(Call& c);
CommandOutcome CarNumber(Call& c);
CommandOutcome Match(Call& c);
CommandOutcome TeamDrivers(Call& c);
CommandOutcome Swap(Call& c);

// The add-on commands (entries, preview, install, installed, remove).
CommandOutcome Entries(Call& c);
CommandOutcome Preview(Call& c);
CommandOutcome Install(Call& c);
CommandOutcome Installed(Call& c);
CommandOutcome Remove(Call& c);

// The car set commands (set-export, set-compare, set-code, set-apply).
CommandOutcome SetExport(Call& c);
CommandOutcome SetCompare(Call& c);
CommandOutcome SetCode(Call& c);
CommandOutcome SetApply(Call& c);

// The history commands (history, undo, restore, verify, forget, history-size, label).
CommandOutcome History(Call& c);
CommandOutcome Undo(Call& c);
CommandOutcome Restore(Call& c);
CommandOutcome Verify(Call& c);
CommandOutcome Forget(Call& c);
CommandOutcome HistorySize(Call& c);
CommandOutcome Label(Call& c);
// A step number, and any text after it.
std::string CheckLabel(const CliRequest& request);
std::string CheckStepNumber(const CliRequest& request);
// A step number, or the word repair or abandon.
std::string CheckStepOrRepair(const CliRequest& request);

}  // namespace movrand::cli
