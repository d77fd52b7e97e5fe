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

// Why the pending journal of a run cut short cannot be settled (damaged, or naming places no
// step may touch), naming it; "" when there is none or it can be. While one stands, nothing may
// change the installation until it is set aside.
std::string DamagedPendingStep(const HistoryPlace& place);
// Sets a pending journal that cannot be settled aside in the history, never deleted, as
// pending.step.damaged (or pending.step.damaged-2, ...); returns its name. What it changed stays
// as it is, in no step. One that is no regular file (a link) is removed alone: returns "".
std::string SetDamagedPendingAside(HistoryPlace& place);
// How to get out of a damaged pending journal.
std::string DamagedPendingWayOut();
// The refusal of a change while one stands, naming it and the way out; "" when none does.
std::string DamagedPendingRefusal(const HistoryPlace& place);
// What the player is told once it is set aside as `aside`.
std::string DamagedPendingSetAsideText(const std::string& aside);

// Both: returns the number of the step recorded, or 0 when there was none.
int SettlePendingStep(HistoryPlace& place);

}  // namespace movrand::history
