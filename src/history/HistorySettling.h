// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>

#include "history/HistoryPlace.h"

namespace movrand::history {

// The step a run left unfinished (its pending journal still there), as far as the disk shows it
// got: each change with the state it left, a move or exchange the journal told of before making
// it only where the folders show it made, a folder it was about to keep only where the history
// holds it. Nothing when there is none, when it changed nothing, or when its step was written
// before the run ended; the journal is then deleted.
// A journal that names anything outside the installation but the stored car folders marked with
// their swap's token (or `vouched`, the token of the swap this run settles) is refused, naming
// it, before anything it names is looked at.
std::optional<Step> ReadPendingStep(HistoryPlace& place, const std::string& vouched = "");

// Records a step read so as a step of its own, marked as cut short, and deletes the journal.
void RecordCutShort(HistoryPlace& place, Step step);

// Both: returns the number of the step recorded, or 0 when there was none.
int SettlePendingStep(HistoryPlace& place);

}  // namespace movrand::history
