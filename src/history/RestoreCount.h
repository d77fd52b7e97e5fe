// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "history/HistoryPlace.h"
#include "history/StepRecord.h"

namespace movrand::history {

// What steps changed between the state before the first of them and the state after the last
// (`steps` oldest first): changes that cancel out are gone, a folder moved and moved back is no
// move, and the history's own folders and the marks beside stored car folders are left out.
// Taking the steps back changes exactly these, the other way round.
std::vector<StepChange> NetChangesOf(const std::vector<Step>& steps, const HistoryPlace& place);

// How many files, and separately folders, a list of net changes touches: a file whose content,
// presence or permissions differ, a folder made or removed, a folder moved whole (its files go
// with it and are not counted again).
struct ChangeCount {
    std::size_t Files = 0;
    std::size_t Folders = 0;
};
ChangeCount CountOf(const std::vector<StepChange>& changes);

// "5 files and 2 folders", "1 file", "1 folder", "nothing".
std::string CountText(const ChangeCount& count);

}  // namespace movrand::history
