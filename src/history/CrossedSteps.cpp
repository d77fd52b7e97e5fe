// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/CrossedSteps.h"

#include <algorithm>

#include "history/NetChanges.h"

namespace movrand::history {

std::optional<Step> CrossedAsOne(const std::vector<Step>& newestFirst, const HistoryPlace& place) {
    if (newestFirst.size() < 2) return std::nullopt;
    for (std::size_t i = 1; i < newestFirst.size(); ++i)
        if (newestFirst[i].Number != newestFirst[i - 1].Number - 1) return std::nullopt;
    Step net;
    net.Number = newestFirst.front().Number;
    std::vector<StepChange> all;
    for (auto step = newestFirst.rbegin(); step != newestFirst.rend(); ++step) {
        for (const std::string& root : step->Roots)
            if (std::find(net.Roots.begin(), net.Roots.end(), root) == net.Roots.end())
                net.Roots.push_back(root);
        for (StepChange c : step->Changes) {
            c.Origin = step->Number;
            all.push_back(std::move(c));
        }
    }
    // A folder moved away and back is where it was: what changed in it is told path by path.
    for (StepChange& c : NetChanges(
             std::move(all), [&place](const std::string& name) { return place.KeptPath(name); }))
        if (!c.MovedBack) net.Changes.push_back(std::move(c));
    return net;
}

}  // namespace movrand::history
