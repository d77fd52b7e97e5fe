#include "folders/CarFolderSwap.h"

#include "folders/CarFolderCount.h"
#include "folders/SwapJournal.h"
#include "platform/ErrorTrap.h"
#include "platform/Text.h"

namespace movrand {

using platform::FileSystem;
using platform::RuntimeError;

namespace {

platform::Question SwapQuestion(const std::string& message) {
    platform::Question question;
    question.Message = message;
    question.MyWidth = 5300;
    question.MyHeight = 3200;
    return question;
}

// Runs a step of a roll-back; its own failure must not hide the error being reported.
template <typename Step>
void Quietly(Step&& step) {
    try {
        step();
    } catch (...) {
    }
}

// A name beside `path` that nothing uses yet, and that is not `avoid`.
std::string FreeNameBeside(const FileSystem& fs, const std::string& path, const std::string& suffix,
                           const std::string& avoid = "") {
    const std::string base = path + suffix;
    std::string candidate = base;
    for (int n = 1; fs.FolderExists(candidate) || fs.FileExists(candidate) ||
                    platform::EqualsNoCase(candidate, avoid);
         ++n)
        candidate = base + std::to_string(n);
    return candidate;
}

// What a delete without forcing refuses: a read-only file or folder anywhere inside.
bool HoldsReadOnlyContent(const FileSystem& fs, const std::string& folder) {
    if (fs.IsReadOnly(folder)) return true;
    for (const std::string& name : fs.FileNames(folder))
        if (fs.IsReadOnly(folder + "\\" + name)) return true;
    for (const std::string& name : fs.FolderNames(folder))
        if (HoldsReadOnlyContent(fs, folder + "\\" + name)) return true;
    return false;
}

bool Overlap(const FileSystem& fs, const std::string& a, const std::string& b) {
    return fs.IsWithin(a, b) || fs.IsWithin(b, a);
}

}  // namespace

SwapResult SwapCarFolder(ProgramValues& pv, platform::Ui& ui, const CarFolderPage& page) {
    SwapResult result;
    platform::RunTrapped(ui, platform::TrapForm::Common, pv.ProgramName, [&] {
        // A swap that an earlier run left unfinished is settled first; where that fails, its
        // error is reported and no new swap starts over it.
        FinishInterruptedSwap(pv);
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
        const std::string live = pv.GPLPath + "cars\\cars67";
        const std::string target = page.Destination + "\\" + page.NewName;
        if (!fs.FolderExists(live)) throw RuntimeError(platform::kPathNotFound);
        if (Overlap(fs, page.Source, live)) throw RuntimeError(platform::kPathFileAccessError);
        if (!page.DeleteCurrent) {
            if (!fs.FolderExists(page.Destination)) throw RuntimeError(platform::kPathNotFound);
            if (fs.IsWithin(target, live) || Overlap(fs, target, page.Source))
                throw RuntimeError(platform::kPathFileAccessError);
        }

        // An existing folder under the new name waits beside it until the swap has succeeded.
        // It is deleted without forcing: read-only content refuses the overwrite now, before
        // anything has moved.
        const bool overwrite = !page.DeleteCurrent && fs.FolderExists(target);
        if (overwrite) {
            const std::string text =
                "The folder " + std::string("\r\n") + target + "\r\n" + " already exists." +
                "\r\n" + "\r\n" +
                "Do you wish to continue (which will overwrite this folder with the current GPL Car Folder)?";
            if (!ui.AskYesNo(SwapQuestion(text))) {
                result.Outcome = SwapOutcome::Declined;
                return;
            }
            if (HoldsReadOnlyContent(fs, target)) throw RuntimeError(platform::kPermissionDenied);
        }

        SwapJournal journal;
        journal.Live = live;
        journal.Staged = FreeNameBeside(fs, live, ".movrand-swap", target);
        journal.Exchange = FreeNameBeside(fs, live, ".movrand-exchange", target);
        journal.Source = page.Source;
        journal.Target = page.DeleteCurrent ? "" : target;
        journal.TargetAside = overwrite ? FreeNameBeside(fs, target, ".movrand-old") : "";
        journal.Move = page.Move;
        journal.LiveIdentity = fs.FolderIdentity(live);
        const std::string journalPath = SwapJournalPath(pv);
        WriteSwapJournal(fs, journalPath, journal);

        // Whatever fails, the folders are settled at once: undone while the old folder is still
        // live, finished once the stored one has taken its place. Where even that fails, the
        // journal stays and the next start or swap settles them.
        try {
            if (overwrite) fs.MoveFolder(target, journal.TargetAside);
            if (page.Move)
                fs.MoveFolder(page.Source, journal.Staged);
            else
                fs.CopyFolder(page.Source, journal.Staged);
            ExchangeWithLive(fs, journal);
            result.Outcome = SwapOutcome::Swapped;
            SettleSwap(fs, journal);
        } catch (...) {
            Quietly([&] {
                SettleSwap(fs, journal);
                fs.DeleteFile(journalPath, true);
            });
            if (fs.FolderIdentity(live) != journal.LiveIdentity)
                result.Outcome = SwapOutcome::Swapped;
            throw;
        }
        fs.DeleteFile(journalPath, true);
    });
    return result;
}

}  // namespace movrand
