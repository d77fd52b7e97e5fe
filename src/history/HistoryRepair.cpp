// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryRepair.h"

#include "history/StepLabels.h"

namespace movrand::history {

std::string RepairHistoryRecords(HistoryPlace& place) {
    const int listed = place.RepairIndex();
    std::string told = "The history index " + place.Index() + " was rebuilt from its " +
                       std::to_string(listed) + " step file(s).";
    if (const int dropped = RepairLabels(place))
        told += " The step names in " + place.LabelsFile() + " were written anew without the " +
                std::to_string(dropped) + " line(s) that could not be read.";
    return told;
}

}  // namespace movrand::history
