// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "platform/Clock.h"

namespace movrand::history {

// A step's time as ISO 8601 with the offset from UTC that the local zone had then
// ("2026-12-07T17:30:05+01:00"), so that it means the same moment wherever it is read.
std::string StepTimeOf(const platform::LocalTime& time);

// A step's time in the local zone of the reader, ISO 8601 with that zone's offset. A time
// written without an offset (by an older Movrand) is left as it was: its zone is not known.
std::string LocalStepTime(const std::string& when);

}  // namespace movrand::history
