#include "folders/CarFolderSwap.h"

#include "folders/CarFolderCount.h"
#include "platform/ErrorTrap.h"

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

// A name beside `path` that nothing uses yet.
std::string FreeNameBeside(const FileSystem& fs, const std::string& path) {
    const std::string base = path + ".movrand-old";
    std::string candidate = base;
    for (int n = 1; fs.FolderExists(candidate) || fs.FileExists(candidate); ++n)
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
        std::string targetAside;
        if (!page.DeleteCurrent && fs.FolderExists(target)) {
            const std::string overwrite =
                "The folder " + std::string("\r\n") + target + "\r\n" + " already exists." +
                "\r\n" + "\r\n" +
                "Do you wish to continue (which will overwrite this folder with the current GPL Car Folder)?";
            if (!ui.AskYesNo(SwapQuestion(overwrite))) {
                result.Outcome = SwapOutcome::Declined;
                return;
            }
            // It is deleted without forcing: read-only content refuses the overwrite now,
            // before anything has moved.
            if (HoldsReadOnlyContent(fs, target)) throw RuntimeError(platform::kPermissionDenied);
            targetAside = FreeNameBeside(fs, target);
            fs.MoveFolder(target, targetAside);
        }

        const std::string aside = page.DeleteCurrent ? FreeNameBeside(fs, live) : target;
        try {
            fs.MoveFolder(live, aside);
        } catch (...) {
            if (!targetAside.empty()) Quietly([&] { fs.MoveFolder(targetAside, target); });
            throw;
        }

        try {
            if (page.Move)
                fs.MoveFolder(page.Source, live);
            else
                fs.CopyFolder(page.Source, live);
        } catch (...) {
            // A move that reports an error after the source has gone has still brought it in;
            // only a partial copy, with the source still in place, is taken back.
            if (fs.FolderExists(page.Source) || !fs.FolderExists(live)) {
                Quietly([&] {
                    if (fs.FolderExists(live)) fs.DeleteFolder(live, true);
                });
                Quietly([&] { fs.MoveFolder(aside, live); });
                if (!targetAside.empty()) Quietly([&] { fs.MoveFolder(targetAside, target); });
            }
            throw;
        }

        result.Outcome = SwapOutcome::Swapped;
        if (page.DeleteCurrent) fs.DeleteFolder(aside, true);
        if (!targetAside.empty()) fs.DeleteFolder(targetAside, false);
    });
    return result;
}

}  // namespace movrand
