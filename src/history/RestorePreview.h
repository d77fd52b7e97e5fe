// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <map>
#include <string>
#include <vector>

#include "history/ChangesView.h"
#include "history/HistoryPlace.h"
#include "history/StepRecord.h"

namespace movrand::history {

// What a restore to a step would change, worked out from the step records alone: the net
// difference between the installation as the newest step left it and the step restored to
// (what was changed by hand since is for the restore's own plan to find). A record read once is
// kept, so going from step to step reads only the records not read yet.
class RestorePreview {
  public:
    // Forgets the records read and takes the steps of `index` (oldest first) as the history.
    void Reset(std::vector<Step> index);

    // The plan's net part for a restore to `step`: the changes the steps after it made, as a
    // plan carrying them back lists them, and their count.
    RestorePlan NetPlan(const HistoryPlace& place, int step);
    // The same as a list of lines; `what` names the restore as ViewOfPlan's heading does.
    ChangesView View(const HistoryPlace& place, int step, const std::string& what);

  private:
    std::vector<Step> index_;
    std::map<int, Step> records_;
};

}  // namespace movrand::history
