// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "TempDrive.h"

namespace movrand::test {

// Runs a multi-step operation again and again on a fresh fixture, making its 1st, 2nd, 3rd ...
// file-system mutation fail, until it runs through without reaching the fault. After each fault
// `check` looks at what the failed run left (and may run the operation again to see that it
// completes). Returns the number of steps the operation took.
struct FaultSweep {
    // Builds the fixture state before the operation.
    std::function<void(TempDrive&)> Prepare;
    // The operation under test.
    std::function<void(TempDrive&)> Operation;
    // Checks after a failed run; `step` is the mutation that failed.
    std::function<void(TempDrive&, int step)> Check;
    int ErrorNumber = 61;  // "Disk full"
    int Run() const;
};

}  // namespace movrand::test
