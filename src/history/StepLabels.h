// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <map>
#include <string>

#include "history/HistoryPlace.h"

namespace movrand::history {

// The names the player gave steps ("before the 1967 season"), by step number: a point of the
// history to find again. They are kept in a file of their own beside the index, so a step's
// record stays as it was written.
using StepLabels = std::map<int, std::string>;

// The names given; none when the history has no labels file. A damaged file raises, naming it.
StepLabels ReadLabels(const HistoryPlace& place);

// Gives step `number` the name `text` (blanks around it dropped, line breaks and tabs made
// blanks), or takes its name away when `text` is empty. The file is replaced whole and synced.
// A step the index does not list raises, naming it. Returns the name as kept.
std::string SetLabel(HistoryPlace& place, int number, const std::string& text);

// Writes a damaged labels file anew with the names that can still be read; returns how many
// lines were dropped (0, and nothing written, when it was whole).
int RepairLabels(HistoryPlace& place);

// Drops the names of steps before `first` (forgotten ones).
void DropLabelsBefore(HistoryPlace& place, int first);

// "step 3 "before the race"" for each named step before `first`, one a line (each line starting
// with "\r\n  "); "" when there is none.
std::string LabelledBefore(const HistoryPlace& place, int first);

}  // namespace movrand::history
