// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "history/HistoryPlace.h"

namespace movrand::history {

// The state the history can go back to before its oldest step kept: before Movrand changed the
// installation (0) when nothing was forgotten, else the state before the first step kept.
struct StartingPoint {
    int Number = 0;
    std::string Text;  // "Before Movrand changed this installation", "Before step 5"
};
StartingPoint StartOf(const HistoryPlace& place, const std::vector<Step>& steps);

}  // namespace movrand::history
