// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "CliRunner.h"

namespace movrand::test {

// How a traced run of movrand-cli ended.
struct KilledRun {
    int ChangingCalls = 0;  // file-changing system calls it made (or was about to make)
    bool Killed = false;    // it was killed before it could end by itself
    int Status = -1;        // its exit status when it ended by itself
};

// True when this machine lets a test trace its child processes (ptrace).
bool CanTraceChildren();

// Runs movrand-cli on the machine, traced, and kills it (SIGKILL) as it is about to make its
// killAt-th file-changing system call (creating, writing, renaming, deleting, copying or
// changing the times or rights of a file or folder), so the call does not happen. With killAt 0,
// or beyond the calls the run makes, it runs to its end and the calls are counted.
KilledRun RunKilledAt(const CliMachine& machine, const std::vector<std::string>& args, int killAt);

}  // namespace movrand::test
