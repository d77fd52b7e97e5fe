// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/RestorePreview.h"

#include <utility>

#include "history/RestoreCount.h"

namespace movrand::history {

void RestorePreview::Reset(std::vector<Step> index) {
    index_ = std::move(index);
    records_.clear();
}

RestorePlan RestorePreview::NetPlan(const HistoryPlace& place, int step) {
    std::vector<Step> after;
    for (const Step& listed : index_) {
        if (listed.Number <= step) continue;
        auto record = records_.find(listed.Number);
        if (record == records_.end())
            record = records_.emplace(listed.Number, place.ReadStep(listed.Number)).first;
        after.push_back(record->second);
    }
    RestorePlan plan;
    plan.Net = NetChangesOf(after, place);
    plan.Count = CountOf(plan.Net);
    return plan;
}

ChangesView RestorePreview::View(const HistoryPlace& place, int step, const std::string& what) {
    return ViewOfPlan(place, NetPlan(place, step), what);
}

}  // namespace movrand::history
