// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace movrand::bench {

// What one child process cost: its wall time and its peak resident memory.
struct ChildCost {
    int Status = -1;          // exit status, or 128 + signal
    double Seconds = 0;       // from the fork to its end
    long PeakResidentKb = 0;  // ru_maxrss of the child alone
};

// Runs a program with exactly the given environment, its output thrown away, and waits for it.
ChildCost RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& env);

}  // namespace movrand::bench
