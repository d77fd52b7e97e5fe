// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "common/ProgramValues.h"
#include "history/RestoreCount.h"
#include "platform/Ui.h"

namespace movrand::history {

class HistoryPlace;
struct Step;

// A file the history knows that is not what the history says should be there.
struct HandChange {
    std::string What;  // "changed", "added" or "missing"
    std::string Path;  // Windows notation
};

// Compares every file and folder the history knows with what its newest step left there (size
// and time first, the content where they differ). Raises, naming the file, on a damaged history.
std::vector<HandChange> VerifyInstallation(ProgramValues& pv);

// What a restore or an undo would do, worked out before anything changes.
struct RestorePlan {
    std::vector<int> Reverse;  // the steps taken back, newest first
    std::vector<int> Undoes;   // the steps the new step marks as taken back
    bool IsUndo = false;
    std::string Summary;  // "Restored to step 7", "Undid step 11"
    // What it changes: the net change of the steps it takes back (as they made it, oldest
    // first), the files changed by hand since that it puts back besides, and how many files
    // and folders those are.
    std::vector<StepChange> Net;
    std::vector<HandChange> PutBack;
    ChangeCount Count;
    std::vector<HandChange> ChangedByHand;  // files it would overwrite or delete
    std::string Refusal;                    // why it cannot be done; "" when it can
    // Made right before its work, with no question read in between: the files changed by hand
    // are as it found them. Otherwise they are looked for again right before the work.
    bool JustMade = false;
    // The history's steps as the plan read and checked them, oldest first: the work takes back
    // these very steps, without reading them again.
    std::shared_ptr<const std::vector<Step>> Steps;
};

// Restoring to step `step` (0: before the first): every step after it taken back.
RestorePlan PlanRestore(ProgramValues& pv, int step);
// Taking back the newest step that is neither an undo nor taken back already.
RestorePlan PlanUndo(ProgramValues& pv);

enum class RestoreOutcome { Done, Refused, Declined, Failed };

struct RestoreResult {
    RestoreOutcome Outcome = RestoreOutcome::Failed;
    int Step = 0;  // the step that recorded it
    std::string Message;
};

// Carries a plan out as one step of its own. Files changed by hand are named and the user asked
// first (unless `askFirst` is false); what they held is kept in the new step. A journal lets
// the next start finish a restore that was cut short. One that fails part way is taken back to
// where it began (Failed, told in Message), its journal gone.
RestoreResult CarryOut(ProgramValues& pv, platform::Ui& ui, const RestorePlan& plan,
                       bool askFirst = true);

// What the start does with a restore or undo that cannot be finished: the window asks whether
// to leave the game as it is and close it; movrand-cli tells how.
enum class StandingRestore { Ask, Tell };

// Takes one recorded step back, newest change first, as an undo does (through pv.Files()).
void TakeBackStep(ProgramValues& pv, const HistoryPlace& place, const Step& step);

// The next start's part: a step that a run left unfinished is recorded as cut short, and a
// restore or undo cut short is carried out to its end (the part that ran taken back with it).
// One that cannot be finished changes nothing and stands, told with the way out.
void SettleHistory(ProgramValues& pv, platform::Ui& ui,
                   StandingRestore standing = StandingRestore::Ask);

}  // namespace movrand::history
