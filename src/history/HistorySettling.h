// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "history/HistoryPlace.h"

namespace movrand::history {

// A step whose run ended before it did (its pending journal still there) becomes a step of its
// own, marked as cut short, with the state it left; folders it was about to keep that never
// reached the history are left out. Returns its number, or 0 when there was none.
int SettlePendingStep(HistoryPlace& place);

}  // namespace movrand::history
