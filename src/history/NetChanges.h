// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "history/StepRecord.h"

namespace movrand::history {

// The net effect of a step's changes, taking the step back still giving the same files: a
// path's changes carried past the folder moves that do not touch it (renamed as the moves rename
// it) and joined into one from its first state to its last, a move followed by its reverse (an
// exchange by the same exchange, a kept folder brought back) dropped, and what ends as it began
// left out. `keptPath` gives where a kept folder's name lies in the history.
std::vector<StepChange> NetChanges(std::vector<StepChange> changes,
                                   const std::function<std::string(const std::string&)>& keptPath);

}  // namespace movrand::history
