// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "history/HistoryPlace.h"

namespace movrand::history {

// Writes the index anew from the step files, and the step names without the lines of them that
// cannot be read; returns what the player is told. A step file that cannot be read raises,
// naming it, and nothing is changed.
std::string RepairHistoryRecords(HistoryPlace& place);

}  // namespace movrand::history
