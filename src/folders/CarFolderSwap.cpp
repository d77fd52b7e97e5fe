// SPDX-License-Identifier: GPL-3.0-or-later
#include "folders/CarFolderSwap.h"

#include <exception>
#include <optional>

#include "common/GameRunning.h"
#include "folders/CarFolderCount.h"
#include "folders/SwapChecks.h"
#include "folders/SwapJournal.h"
#include "folders/SwapSettling.h"
#include "history/HistoryStep.h"
#include "history/StepPlaces.h"
#include "platform/ErrorTrap.h"

namespace movrand {

using platform::FileSystem;

namespace {

platform::Question SwapQuestion(const std::string& message) {
    platform::Question question;
    question.Message = message;
    question.MyWidth = 5300;
    question.MyHeight = 3200;
    return question;
}

// What the user is told when a step failed after the stored folder had become live.
std::string TookPlaceMessage(const FileSystem& fs, const SwapJournal& j) {
    const std::string later = " Movrand finishes this at its next start or swap.";
    if (fs.FolderExists(j.Staged()))
        return "The car folder swap took place, but the old car folder could not be " +
               (j.Target.empty() ? std::string("deleted") : "moved to " + j.Target) +
               ". It is now at " + j.Staged() + "." + later;
    return "The car folder swap took place and the old car folder is " +
           (j.Target.empty() ? std::string("deleted") : "at " + j.Target) +
           ", but the swap could not tidy up after itself." + later;
}

// What the user agreed to and the checks allowed.
struct SwapPlan {
    std::string Live;    // GPLPath + "cars\cars67"
    std::string Target;  // the old folder's new place; "" when it is deleted
    bool Overwrite = false;
};

// How the journalled run ended.
struct SwapRun {
    SwapJournal Journal;
    std::string Refusal;         // the destination could not take a folder; nothing moved
    std::exception_ptr Failure;  // a step failed
    std::optional<SwapJournalMismatch> Mismatch;  // the folders were not as the journal says
};

// The new name, the source and the swap's question. False when the swap stops here.
bool AskToSwap(const FileSystem& fs, platform::Ui& ui, const CarFolderPage& page,
               SwapResult& result, bool agreed) {
    std::string firstHalf;
    if (page.DeleteCurrent) {
        firstHalf = "The current GPL car folder will be deleted ";
    } else if (!page.NewName.empty()) {
        firstHalf = "The current GPL car folder will be renamed as " + page.NewName +
                    " and will be moved to the selected destination ";
    } else {
        ui.ShowMessage("Please enter the new name for the Current Car Folder.");
        result.Outcome = SwapOutcome::NameMissing;
        result.FocusNameBox = true;
        return false;
    }
    if (CountTeamFolders(fs, page.Source) != kTeamFolderCount) {
        ui.ShowMessage("New Folder is not a valid Car Folder - Please re-select.", 4000, 1500);
        result.Outcome = SwapOutcome::SourceRefused;
        return false;
    }
    if (agreed) return true;
    const std::string question =
        firstHalf + " and the selected new folder will become the new GPL Cars Folder " +
        (page.Move ? "by being moved into the GPL folder."
                   : "by being copied into the GPL folder.") +
        "\r\n\r\n" + "Do you wish to continue?";
    if (ui.AskYesNo(SwapQuestion(question))) return true;
    result.Outcome = SwapOutcome::Declined;
    return false;
}

// Everything that would make a later step fail half-way, checked before anything moves (the
// game must keep a live car folder whatever happens), and the question before an overwrite.
std::optional<SwapPlan> CheckSwap(const FileSystem& fs, platform::Ui& ui, const std::string& live,
                                  const CarFolderPage& page, SwapResult& result) {
    const auto refused = [&](const std::string& message) {
        if (message.empty()) return false;
        ui.ShowMessage(message);
        result.Outcome = SwapOutcome::Refused;
        return true;
    };
    if (refused(SwapPlaceRefusal(fs, live, page))) return std::nullopt;
    SwapPlan plan;
    plan.Live = live;
    plan.Target = page.DeleteCurrent ? "" : SwapTarget(page);
    plan.Overwrite = !plan.Target.empty() && fs.FolderExists(plan.Target);
    if (plan.Overwrite) {
        const std::string text =
            "The folder " + std::string("\r\n") + plan.Target + "\r\n" + " already exists." +
            "\r\n" + "\r\n" +
            "Do you wish to continue (which will overwrite this folder with the current GPL Car Folder)?";
        if (!ui.AskYesNo(SwapQuestion(text))) {
            result.Outcome = SwapOutcome::Declined;
            return std::nullopt;
        }
    }
    if (refused(SwapRoomRefusal(fs, live, page, plan.Overwrite))) return std::nullopt;
    return plan;
}

// Writes the journal, then brings the stored folder in, changes places with the live folder and
// settles the old one. A failure or a mismatch is kept for the report, the journal with it.
SwapRun RunSwap(FileSystem& fs, const std::string& journalPath, const CarFolderPage& page,
                const SwapPlan& plan, const std::string& token) {
    SwapRun run;
    SwapJournal& j = run.Journal;
    j.Live = plan.Live;
    j.Source = page.Source;
    j.Target = plan.Target;
    j.Move = page.Move;
    j.Overwrite = plan.Overwrite;
    j.Token = token;
    j.LiveNumber = fs.FolderNumber(plan.Live);
    j.SourceNumber = fs.FolderNumber(page.Source);
    j.TargetNumber = plan.Overwrite ? fs.FolderNumber(plan.Target) : 0;
    // The places outside the game the swap changes are marked as its own before anything moves,
    // so that its step can be taken back wherever it stops.
    if (!plan.Target.empty()) history::MarkStoredFolder(fs, plan.Target, token);
    if (page.Move) history::MarkStoredFolder(fs, page.Source, token);
    WriteSwapJournal(fs, journalPath, j);
    try {
        if (!plan.Target.empty()) run.Refusal = SwapDestinationRefusal(fs, page, j.TargetCopying());
        if (run.Refusal.empty()) {
            if (plan.Overwrite && !fs.RenameFolder(plan.Target, j.Aside()))
                throw platform::RuntimeError(platform::kPathFileAccessError);
            if (page.Move && fs.RenameFolder(page.Source, j.Staged()))
                MarkFolder(fs, j.Staged(), j.Token);
            else
                CopyWhole(fs, page.Source, j.Copying(), j.Staged(), j.Token);
            ExchangeWithLive(fs, j);
        }
        SettleSwap(fs, j);
    } catch (const SwapJournalMismatch& mismatch) {
        run.Mismatch = mismatch;
    } catch (...) {
        run.Failure = std::current_exception();
    }
    return run;
}

// Folders that are not as the journal says are left as they are, the journal with them.
std::string MismatchMessage(const std::string& journalPath, const SwapJournalMismatch& mismatch,
                            bool swapped) {
    std::string text =
        "The car folder swap stopped, as its folders are not what its record says: " +
        mismatch.Odd + " is not as the swap left it. Nothing more has been moved or deleted." +
        (swapped ? " The selected folder is the GPL car folder now." : "") +
        " Please look at these folders:";
    for (const std::string& folder : mismatch.Folders) text += "\r\n" + folder;
    return text + "\r\n\r\nThe record is " + journalPath +
           "; when the folders are as they should be, delete it to swap again.";
}

void ReportTrapped(const ProgramValues& pv, platform::Ui& ui, std::exception_ptr failure) {
    const platform::RuntimeError error = platform::AsRuntimeError(failure);
    platform::ReportTrappedError(ui, platform::TrapForm::Common, pv.ProgramName, error.Number(),
                                 error.Description());
}

// A failure before the stored folder has become live undoes the swap at once; one after it
// leaves the journal for the next start or swap, which finishes the swap.
void ReportFailure(ProgramValues& pv, FileSystem& fs, platform::Ui& ui,
                   const std::string& journalPath, const SwapRun& run, SwapResult& result) {
    const SwapJournal& j = run.Journal;
    if (SwapTookPlace(fs, j)) {
        result.Outcome = SwapOutcome::Swapped;
        if (!fs.FolderExists(j.Staged())) result.OldFolder = j.Target;
        ReportTrapped(pv, ui, run.Failure);
        ui.ShowMessage(TookPlaceMessage(fs, j));
        return;
    }
    std::optional<SwapJournalMismatch> mismatch;
    try {
        SettleSwap(fs, j);
        fs.DeleteFile(journalPath, true);
    } catch (const SwapJournalMismatch& m) {
        mismatch = m;
    } catch (...) {
        // The journal stays; the next start or swap settles the folders.
    }
    if (fs.FolderNumber(j.Live) != j.LiveNumber) result.Outcome = SwapOutcome::Swapped;
    if (!mismatch) std::rethrow_exception(run.Failure);
    ReportTrapped(pv, ui, run.Failure);
    ui.ShowMessage(MismatchMessage(journalPath, *mismatch, result.Outcome == SwapOutcome::Swapped));
}

// Tells the user how the run ended and deletes the journal of a swap that is done.
void ReportSwap(ProgramValues& pv, FileSystem& fs, platform::Ui& ui, const std::string& journalPath,
                const SwapRun& run, SwapResult& result) {
    const SwapJournal& j = run.Journal;
    if (run.Mismatch) {
        if (SwapTookPlace(fs, j) || fs.FolderNumber(j.Live) != j.LiveNumber)
            result.Outcome = SwapOutcome::Swapped;
        ui.ShowMessage(
            MismatchMessage(journalPath, *run.Mismatch, result.Outcome == SwapOutcome::Swapped));
        return;
    }
    if (run.Failure) return ReportFailure(pv, fs, ui, journalPath, run, result);
    if (run.Refusal.empty()) {
        result.Outcome = SwapOutcome::Swapped;
        result.OldFolder = j.Target;
    } else {
        ui.ShowMessage(run.Refusal);
        result.Outcome = SwapOutcome::Refused;
    }
    fs.DeleteFile(journalPath, true);
}

std::string SwapSummary(const CarFolderPage& page, const SwapAsPartOf* part) {
    if (part) return part->StepSummary;
    const platform::WindowsPath source = platform::WindowsPath::Parse(page.Source);
    const std::string name = source.Components.empty() ? page.Source : source.Components.back();
    return std::string(kSwapStepSummary) + ": " + name + " made live, the old one " +
           (page.DeleteCurrent ? std::string("deleted") : "renamed " + page.NewName);
}

}  // namespace

SwapResult SwapCarFolder(ProgramValues& pv, platform::Ui& ui, const CarFolderPage& page,
                         const SwapAsPartOf* part) {
    SwapResult result;
    platform::RunTrapped(ui, platform::TrapForm::Common, pv.ProgramName, [&] {
        // A swap that an earlier run left unfinished is settled first; where that cannot be
        // done, the user has been told why and no new swap starts over it.
        if (!SettleInterruptedSwap(pv, ui)) {
            result.Outcome = SwapOutcome::Refused;
            return;
        }
        FileSystem fs = pv.Files();
        if (!AskToSwap(fs, ui, page, result, part != nullptr)) return;
        if (!part && !MayChangeWhileGameRuns(pv, ui)) {
            result.Outcome = SwapOutcome::Declined;
            return;
        }
        const std::optional<SwapPlan> plan =
            CheckSwap(fs, ui, pv.GPLPath + "cars\\cars67", page, result);
        if (!plan) return;
        const std::string journalPath = SwapJournalPath(pv);
        // The whole swap is one step of the installation's history: a folder moved is one move,
        // and the old live folder the delete box throws away is kept there instead.
        history::HistoryStep step(pv, SwapSummary(page, part), &ui);
        // The stored folders carry the swap's token when it is done, which the step names too.
        const std::string token = NewSwapToken();
        step.AddRoot(page.Source, token);
        step.AddRoot(plan->Target, token);
        FileSystem watched = pv.Files();
        const SwapRun run = RunSwap(watched, journalPath, page, *plan, token);
        // A swap that stays unfinished for the next start leaves its step unfinished too: the
        // settling goes on with it, and the two are one step.
        try {
            ReportSwap(pv, watched, ui, journalPath, run, result);
        } catch (...) {
            if (fs.FileExists(journalPath)) step.LeaveUnfinished();
            throw;
        }
        if (fs.FileExists(journalPath)) step.LeaveUnfinished();
    });
    return result;
}

}  // namespace movrand
