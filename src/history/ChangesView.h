// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "history/HistoryPlace.h"
#include "history/HistoryRestore.h"
#include "history/StepRecord.h"

namespace movrand::history {

// One line of a list of changes: what happened to a file or folder, its Windows path, and its
// size before and after ("" where there was no file).
struct ChangeLine {
    std::string What;  // "created", "replaced", "deleted", "moved to ...", "changed", ...
    std::string Path;
    std::string Before;
    std::string After;
    bool Folder = false;
};

// The lines of one team folder (or of another folder, for what lies outside the team folders).
struct ChangeGroup {
    std::string Folder;
    std::vector<ChangeLine> Lines;
};

// What the History page lists beside its steps: a heading that says what is listed and how
// many, and the lines grouped by folder, the folders in name order.
struct ChangesView {
    std::string Heading;
    std::vector<ChangeGroup> Groups;
};

// What one step changed.
ChangesView ViewOfStep(const HistoryPlace& place, const Step& step);
// What "Check for Changes" found changed by hand.
ChangesView ViewOfCheck(const HistoryPlace& place, const std::vector<HandChange>& changes);
// What carrying out `plan` would change; `what` names it ("Restoring the installation as it
// was after step 3", "Undoing step 4").
ChangesView ViewOfPlan(const HistoryPlace& place, const RestorePlan& plan, const std::string& what);

}  // namespace movrand::history
