// SPDX-License-Identifier: GPL-3.0-or-later
#include "FaultSweep.h"

#include <gtest/gtest.h>

#include "platform/FaultPlan.h"

namespace movrand::test {

int FaultSweep::Run() const {
    for (int step = 1; step < 10000; ++step) {
        TempDrive drive;
        if (Prepare) Prepare(drive);
        drive.Pv.Env.Faults = std::make_shared<platform::FaultPlan>();
        drive.Pv.Env.Faults->FailAt(step, ErrorNumber);
        Operation(drive);
        const std::string failure = drive.Pv.Env.Faults->LastFailure();
        drive.Pv.Env.Faults->Clear();
        if (failure.empty()) return step - 1;
        SCOPED_TRACE("fault at step " + std::to_string(step) + ": " + failure);
        Check(drive, step);
        if (::testing::Test::HasFatalFailure()) return step;
    }
    ADD_FAILURE() << "the operation never completed";
    return 0;
}

}  // namespace movrand::test
