// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FaultPlan.h"

#include <thread>

#include "platform/RuntimeError.h"

namespace movrand::platform {

void FaultPlan::FailAt(int n, int number) {
    count_ = 0;
    failAt_ = n;
    number_ = number;
    lastFailure_.clear();
}

void FaultPlan::Clear() {
    FailAt(0, 0);
    FailRecordAt(0, 0);
}

void FaultPlan::FailRecordAt(int n, int osError) {
    recordCount_ = 0;
    recordFailAt_ = n;
    recordError_ = osError;
}

int FaultPlan::RecordFault(const std::string& what) {
    if (++recordCount_ != recordFailAt_ || recordFailAt_ == 0) return 0;
    lastFailure_ = what;
    return recordError_;
}

void FaultPlan::Check(const std::string& what) {
    ++count_;
    if (before_) before_(what);
    if (delay_.count() > 0) std::this_thread::sleep_for(delay_);
    if (failAt_ > 0 && count_ == failAt_) {
        lastFailure_ = what;
        throw RuntimeError(number_);
    }
}

}  // namespace movrand::platform
