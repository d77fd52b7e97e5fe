// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <vector>

#include "history/HistoryPlace.h"
#include "history/StepRecord.h"

namespace movrand::history {

// The steps a restore crosses (`newestFirst`, each the one before the last) taken together as
// one: their net change, each change naming the step it came from (Origin), and every stored car
// folder any of them reached. Taking it back gives the same files as taking them back one by one,
// with the work, and the waits for the disk, of what differs only. Nothing when they are fewer
// than two or not one run of steps.
std::optional<Step> CrossedAsOne(const std::vector<Step>& newestFirst, const HistoryPlace& place);

}  // namespace movrand::history
