// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>

#include "history/HistoryPlace.h"
#include "platform/Ui.h"

namespace movrand::history {

struct ForgetResult {
    int Forgotten = 0;        // steps forgotten
    std::uint64_t Freed = 0;  // bytes given back
};

// Forgets the steps before `first`: their records go, and the kept content and folders that no
// later step needs are deleted. Raises when `first` lies beyond the next step.
ForgetResult ForgetStepsBefore(HistoryPlace& place, int first);

// Asks through `ui` before the steps before `first` are forgotten: how many they are, and which
// of them hold the only copy of a car folder a swap deleted or replaced. True when the user
// agrees, or when there is nothing to forget.
bool AskToForget(const HistoryPlace& place, int first, platform::Ui& ui);

// The step the history would be kept from to fit within `limit`, forgetting its oldest steps as
// KeepWithinLimit does (never the newest step), worked out without changing anything: FirstKept()
// when nothing would be forgotten.
int FirstKeptWithin(const HistoryPlace& place, std::uint64_t limit);

// Forgets the oldest steps, one at a time, while the history is larger than its limit (never the
// newest step); tells the user through `ui` when it did. A step the player named is forgotten
// only when `agreed`, or when the user says yes to a question that names it (without `ui`,
// never).
void KeepWithinLimit(HistoryPlace& place, platform::Ui* ui, bool agreed = false);

// Makes `limit` the history's limit and keeps within it. When that forgets steps it asks first
// through `ui` (as AskToForget does); on a no nothing changes and it returns false.
bool ChangeLimit(HistoryPlace& place, std::uint64_t limit, platform::Ui& ui);

// What the player is told after a forget: "3 step(s) forgotten, 2.0 MB freed; the history now
// takes 1.5 MB."
std::string ForgottenText(const ForgetResult& result, const HistoryPlace& place);

// "12.5 MB" and the like.
std::string SizeText(std::uint64_t bytes);

}  // namespace movrand::history
