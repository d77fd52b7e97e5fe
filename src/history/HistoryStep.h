// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand::history {

class ChangeRecorder;
class HistoryPlace;
struct Step;

// One step of the installation's history around an operation: while it lives, every change the
// operation makes through the run's file-system service (pv.Files()) is recorded, and what a
// change overwrites or deletes is kept; when it ends, a step that changed something is written
// to the history (synced, its index line last), one that changed nothing leaves no trace. Made
// inside another step, it records nothing of its own: the outer step holds its changes. Without
// an installation in use it records nothing.
class HistoryStep {
  public:
    // A step that finishes what a run cut short began: it goes on with the step that run left
    // unfinished, so that the two make one step.
    struct GoesOn {
        // The installation that run changed; "" for the one in use (at start-up the one in use
        // may not be known yet).
        std::string Installation;
        // That run's step is known by its summary beginning so, or as one of AlsoSummaries
        // (the steps of operations that end in the same work); another unfinished step is
        // recorded as cut short first.
        std::string Summary;
        // The token of that run's swap, from the user's own record of it: the stored folders
        // its step names with it are the swap's own even before they are marked.
        std::string Token;
        std::vector<std::string> AlsoSummaries;
    };

    // `ui`, when given, hears when the history had to forget its oldest steps to keep within
    // its size.
    HistoryStep(ProgramValues& pv, std::string summary, platform::Ui* ui = nullptr);
    HistoryStep(ProgramValues& pv, std::string summary, platform::Ui* ui, const GoesOn& from);
    // The step of a restore or undo, which records while its journal stands. Any other step
    // refuses to begin while one stands (a restore that could not be finished), naming the way
    // out.
    struct Restoring {};
    HistoryStep(ProgramValues& pv, std::string summary, platform::Ui* ui, Restoring);
    ~HistoryStep();
    HistoryStep(const HistoryStep&) = delete;
    HistoryStep& operator=(const HistoryStep&) = delete;

    bool Recording() const { return recorder_ != nullptr; }
    void SetSummary(std::string summary);
    std::string Summary() const;
    // A stored car folder outside the installation the operation may change.
    // `token`: the one the swap marks it with (StepPlaces.h).
    void AddRoot(const std::string& windowsFolder, const std::string& token = "");
    // The step takes back these steps (an undo, or a restore settled after a cut).
    void MarkUndoOf(std::vector<int> steps, bool isUndo);
    // The history's steps, oldest first, as the caller has just read them: the files the newest
    // left are known by their look without reading the steps again.
    void KnowSteps(const std::vector<Step>& steps);
    // Ends the step now; its number, or 0 when it changed nothing. When a history file could
    // not be written or synced, what the step changed is taken back and the failure raised,
    // naming the file.
    int Commit();
    // Stops recording and leaves the step unfinished, its journal synced, for the run that
    // finishes what the operation could not (a swap whose record stays for the next start).
    void LeaveUnfinished();
    // The step went on with one a run cut short left unfinished.
    bool WentOn() const { return wentOn_; }

  private:
    HistoryStep(ProgramValues& pv, std::string summary, platform::Ui* ui, const GoesOn& from,
                bool restoring);
    // A history file could not be written or synced: what the step changed is taken back, and
    // it leaves no trace (where the taking back fails, its journal stays for the next start).
    void TakeBack(ChangeRecorder& recorder, const Step& step);

    ProgramValues& pv_;
    platform::Ui* ui_;
    std::unique_ptr<HistoryPlace> place_;
    std::unique_ptr<ChangeRecorder> recorder_;
    platform::ChangeWatch* previous_ = nullptr;
    bool wentOn_ = false;
};

}  // namespace movrand::history
