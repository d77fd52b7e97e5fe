#include "folders/CarFolderSwap.h"

#include <exception>

#include "folders/CarFolderCount.h"
#include "folders/SwapChecks.h"
#include "folders/SwapJournal.h"
#include "folders/SwapSettling.h"
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

}  // namespace

SwapResult SwapCarFolder(ProgramValues& pv, platform::Ui& ui, const CarFolderPage& page) {
    SwapResult result;
    platform::RunTrapped(ui, platform::TrapForm::Common, pv.ProgramName, [&] {
        // A swap that an earlier run left unfinished is settled first; where that cannot be
        // done, the user has been told why and no new swap starts over it.
        if (!SettleInterruptedSwap(pv, ui)) {
            result.Outcome = SwapOutcome::Refused;
            return;
        }
        FileSystem fs = pv.Files();

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
            return;
        }

        if (CountTeamFolders(fs, page.Source) != kTeamFolderCount) {
            ui.ShowMessage("New Folder is not a valid Car Folder - Please re-select.", 4000, 1500);
            result.Outcome = SwapOutcome::SourceRefused;
            return;
        }

        const std::string question =
            firstHalf + " and the selected new folder will become the new GPL Cars Folder " +
            (page.Move ? "by being moved into the GPL folder."
                       : "by being copied into the GPL folder.") +
            "\r\n\r\n" + "Do you wish to continue?";
        if (!ui.AskYesNo(SwapQuestion(question))) {
            result.Outcome = SwapOutcome::Declined;
            return;
        }

        // Everything that would make a later step fail half-way is checked before anything
        // moves: the game must keep a live car folder whatever happens.
        const auto refuse = [&](const std::string& message) {
            if (message.empty()) return false;
            ui.ShowMessage(message);
            result.Outcome = SwapOutcome::Refused;
            return true;
        };
        const std::string live = pv.GPLPath + "cars\\cars67";
        if (refuse(SwapPlaceRefusal(fs, live, page))) return;
        const std::string target = page.DeleteCurrent ? "" : SwapTarget(page);
        const bool overwrite = !target.empty() && fs.FolderExists(target);
        if (overwrite) {
            const std::string text =
                "The folder " + std::string("\r\n") + target + "\r\n" + " already exists." +
                "\r\n" + "\r\n" +
                "Do you wish to continue (which will overwrite this folder with the current GPL Car Folder)?";
            if (!ui.AskYesNo(SwapQuestion(text))) {
                result.Outcome = SwapOutcome::Declined;
                return;
            }
        }
        if (refuse(SwapRoomRefusal(fs, live, page, overwrite))) return;

        SwapJournal journal;
        journal.Live = live;
        journal.Source = page.Source;
        journal.Target = target;
        journal.Move = page.Move;
        journal.Overwrite = overwrite;
        journal.Token = NewSwapToken();
        journal.LiveNumber = fs.FolderNumber(live);
        journal.SourceNumber = fs.FolderNumber(page.Source);
        journal.TargetNumber = overwrite ? fs.FolderNumber(target) : 0;
        const std::string journalPath = SwapJournalPath(pv);
        WriteSwapJournal(fs, journalPath, journal);

        // Any failure before the stored folder has become live undoes the swap at once. One
        // after it leaves the journal for the next start or swap, which finishes the swap.
        std::exception_ptr failure;
        try {
            std::string refusal;
            if (!target.empty())
                refusal = SwapDestinationRefusal(fs, page, journal.TargetCopying());
            if (refusal.empty()) {
                if (overwrite && !fs.RenameFolder(target, journal.Aside()))
                    throw platform::RuntimeError(platform::kPathFileAccessError);
                if (page.Move && fs.RenameFolder(page.Source, journal.Staged()))
                    MarkFolder(fs, journal.Staged(), journal.Token);
                else
                    CopyWhole(fs, page.Source, journal.Copying(), journal.Staged(), journal.Token);
                ExchangeWithLive(fs, journal);
                result.Outcome = SwapOutcome::Swapped;
                SettleSwap(fs, journal);
            } else {
                SettleSwap(fs, journal);
                refuse(refusal);
            }
        } catch (...) {
            failure = std::current_exception();
        }
        if (failure && SwapTookPlace(fs, journal)) {
            result.Outcome = SwapOutcome::Swapped;
            const platform::RuntimeError error = platform::AsRuntimeError(failure);
            platform::ReportTrappedError(ui, platform::TrapForm::Common, pv.ProgramName,
                                         error.Number(), error.Description());
            ui.ShowMessage(TookPlaceMessage(fs, journal));
            return;
        }
        if (failure) {
            try {
                SettleSwap(fs, journal);
                fs.DeleteFile(journalPath, true);
            } catch (...) {
                // The journal stays; the next start or swap settles the folders.
            }
            if (fs.FolderNumber(live) != journal.LiveNumber) result.Outcome = SwapOutcome::Swapped;
            std::rethrow_exception(failure);
        }
        fs.DeleteFile(journalPath, true);
    });
    return result;
}

}  // namespace movrand
