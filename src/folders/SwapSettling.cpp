// SPDX-License-Identifier: GPL-3.0-or-later
#include "folders/SwapSettling.h"

#include <initializer_list>
#include <optional>
#include <utility>

#include "common/Functions.h"
#include "history/HistoryStep.h"
#include "history/StepPlaces.h"
#include "platform/ErrorTrap.h"
#include "platform/RuntimeError.h"
#include "platform/SettingsKeys.h"

namespace movrand {

using platform::FileSystem;
using platform::RuntimeError;

namespace {

std::string MarkerOf(const std::string& folder) {
    return folder + "\\" + kSwapMarker;
}

// A folder the swap made for a copy: marked, or holding nothing but (part of) a marker.
bool IsOwnCopy(const FileSystem& fs, const SwapJournal& j, const std::string& folder) {
    if (!fs.FolderExists(folder) || IsMarked(fs, folder, j.Token)) return true;
    const auto files = fs.FileNames(folder);
    return fs.FolderNames(folder).empty() &&
           (files.empty() || (files.size() == 1 && files[0] == kSwapMarker));
}

bool Exists(const FileSystem& fs, const std::string& folder) {
    return fs.FolderExists(folder);
}

// Deletes a folder the swap made, its marker last, so that a delete cut short still leaves a
// folder that is known as the swap's own.
void DeleteOwnFolder(FileSystem& fs, const std::string& folder) {
    if (!fs.FolderExists(folder)) return;
    for (const std::string& name : fs.FolderNames(folder))
        fs.DeleteFolder(folder + "\\" + name, true);
    for (const std::string& name : fs.FileNames(folder))
        if (name != kSwapMarker) fs.DeleteFile(folder + "\\" + name, true);
    fs.DeleteFolder(folder, true);
}

void Unmark(FileSystem& fs, const std::string& folder) {
    if (fs.FileExists(MarkerOf(folder))) fs.DeleteFile(MarkerOf(folder), true);
}

// A rename beside itself, which cannot cross file systems.
void RenameBeside(FileSystem& fs, const std::string& from, const std::string& to) {
    if (!fs.RenameFolder(from, to)) throw RuntimeError(platform::kPathFileAccessError);
}

// Where a swap stands, and whether every folder that settling it would touch is what the
// journal says. Checked whole before anything is moved or deleted.
enum class Stage { Undo, Finish, Done, Mismatch };

// For a mismatch, the first folder found not as the journal says.
struct Verdict {
    Stage At;
    std::string Odd;
};

// `ok`, unless a folder fails its check.
Verdict FirstOdd(Stage ok, std::initializer_list<std::pair<bool, std::string>> checks) {
    for (const auto& [holds, folder] : checks)
        if (!holds) return {Stage::Mismatch, folder};
    return {ok, ""};
}

// The staged folder is a copy the swap made, not the stored folder itself renamed beside the
// live one.
bool StagedIsCopy(const FileSystem& fs, const SwapJournal& j) {
    return !j.Move || fs.FolderNumber(j.Staged()) != j.SourceNumber ||
           (Exists(fs, j.Source) && !fs.SameDevice(j.Staged(), j.Source));
}

Verdict CheckUndo(const FileSystem& fs, const SwapJournal& j) {
    const bool stagedHolds =
        !Exists(fs, j.Staged()) ||
        (StagedIsCopy(fs, j) ? IsMarked(fs, j.Staged(), j.Token) && Exists(fs, j.Source)
                             : !Exists(fs, j.Source));
    const bool asideHolds = !j.Overwrite || !Exists(fs, j.Aside()) ||
                            (fs.FolderNumber(j.Aside()) == j.TargetNumber && !Exists(fs, j.Target));
    return FirstOdd(Stage::Undo,
                    {{IsOwnCopy(fs, j, j.Copying()), j.Copying()},
                     {stagedHolds, j.Staged()},
                     {asideHolds, j.Aside()},
                     {j.Target.empty() || IsOwnCopy(fs, j, j.TargetCopying()), j.TargetCopying()}});
}

// `exchanging`: the change of places in three renames stopped after its first (the old folder
// at Exchange, no live folder) or its second rename.
Verdict CheckFinish(const FileSystem& fs, const SwapJournal& j, bool exchanging) {
    const bool firstDone = exchanging && !Exists(fs, j.Live);
    const std::string old = exchanging ? j.Exchange() : j.Staged();
    const std::string incoming = firstDone ? j.Staged() : j.Live;
    const bool oldHolds =
        !Exists(fs, old) ||
        (fs.FolderNumber(old) == j.LiveNumber && !IsMarked(fs, old, j.Token) &&
         (j.Target.empty() || !Exists(fs, j.Target) || IsMarked(fs, j.Target, j.Token)));
    const bool asideHolds =
        !j.Overwrite || !Exists(fs, j.Aside()) || fs.FolderNumber(j.Aside()) == j.TargetNumber;
    const bool sourceHolds =
        !j.Move || !Exists(fs, j.Source) ||
        (fs.FolderNumber(j.Source) == j.SourceNumber && fs.HoldsTree(incoming, j.Source));
    return FirstOdd(Stage::Finish,
                    {{IsOwnCopy(fs, j, j.Copying()), j.Copying()},
                     {oldHolds, old},
                     {asideHolds, j.Aside()},
                     {sourceHolds, j.Source},
                     {j.Target.empty() || IsOwnCopy(fs, j, j.TargetCopying()), j.TargetCopying()},
                     {!exchanging || !Exists(fs, j.Live) || !Exists(fs, j.Staged()), j.Staged()}});
}

Verdict Check(const FileSystem& fs, const SwapJournal& j) {
    if (Exists(fs, j.Exchange())) {
        if (fs.FolderNumber(j.Exchange()) != j.LiveNumber) return {Stage::Mismatch, j.Exchange()};
        const std::string incoming = Exists(fs, j.Live) ? j.Live : j.Staged();
        if (!IsMarked(fs, incoming, j.Token)) return {Stage::Mismatch, incoming};
        return CheckFinish(fs, j, true);
    }
    if (IsMarked(fs, j.Live, j.Token)) return CheckFinish(fs, j, false);
    if (fs.FolderNumber(j.Live) == j.LiveNumber) return CheckUndo(fs, j);
    // Done but for deleting the journal, unless a folder of the swap's own is still there.
    for (const std::string& folder : SwapFolders(fs, j))
        if (folder != j.Live && folder != j.Source && folder != j.Target)
            return {Stage::Mismatch, folder};
    return {Stage::Done, ""};
}

// Finishes a change of places done in three renames that stopped half-way.
void FinishExchange(FileSystem& fs, const SwapJournal& j) {
    if (!Exists(fs, j.Exchange())) return;
    if (!Exists(fs, j.Live)) RenameBeside(fs, j.Staged(), j.Live);
    RenameBeside(fs, j.Exchange(), j.Staged());
}

void Undo(FileSystem& fs, const SwapJournal& j) {
    DeleteOwnFolder(fs, j.Copying());
    if (Exists(fs, j.Staged())) {
        if (StagedIsCopy(fs, j)) {
            DeleteOwnFolder(fs, j.Staged());  // a copy; the stored folder is in its place
        } else {
            // The stored folder itself, renamed beside the live one: it goes back.
            Unmark(fs, j.Staged());
            RenameBeside(fs, j.Staged(), j.Source);
        }
    }
    if (!j.Target.empty()) DeleteOwnFolder(fs, j.TargetCopying());
    if (j.Overwrite && Exists(fs, j.Aside())) RenameBeside(fs, j.Aside(), j.Target);
}

void Finish(FileSystem& fs, const SwapJournal& j) {
    DeleteOwnFolder(fs, j.Copying());
    // The old live folder, now staged, goes to its new place or is deleted.
    const std::string old = j.Staged();
    if (!j.Target.empty()) DeleteOwnFolder(fs, j.TargetCopying());
    if (Exists(fs, old) && !j.Target.empty() && !Exists(fs, j.Target) &&
        !fs.RenameFolder(old, j.Target))
        CopyWhole(fs, old, j.TargetCopying(), j.Target, j.Token);
    if (Exists(fs, old)) fs.DeleteFolder(old, true);
    if (!j.Target.empty() && IsMarked(fs, j.Target, j.Token)) Unmark(fs, j.Target);
    if (j.Overwrite && Exists(fs, j.Aside())) fs.DeleteFolder(j.Aside(), false);
    // A move from another drive deletes what is left of its source last.
    if (j.Move && Exists(fs, j.Source)) fs.DeleteFolder(j.Source, true);
    Unmark(fs, j.Live);
    // The stored folders are marked with the token the swap's step names, so that the history
    // may take the swap back: the old folder in its new place, the place a moved one left.
    if (!j.Target.empty()) history::MarkStoredFolder(fs, j.Target, j.Token);
    if (j.Move) history::MarkStoredFolder(fs, j.Source, j.Token);
}

}  // namespace

void MarkFolder(FileSystem& fs, const std::string& folder, const std::string& token) {
    platform::TextWriter out = fs.CreateTextFile(MarkerOf(folder));
    out.WriteLine(token);
    out.Close();
}

bool IsMarked(const FileSystem& fs, const std::string& folder, const std::string& token) {
    const std::string marker = MarkerOf(folder);
    return fs.FileExists(marker) && fs.ReadAllBytes(marker) == token + "\r\n";
}

void CopyWhole(FileSystem& fs, const std::string& from, const std::string& partial,
               const std::string& whole, const std::string& token) {
    fs.CreateFolder(partial);
    try {
        MarkFolder(fs, partial, token);
        fs.CopyFolder(from, partial);
        // A marker left in `from` by an earlier swap came along over this one's.
        if (fs.FileExists(MarkerOf(from))) MarkFolder(fs, partial, token);
        if (!fs.HoldsTree(partial, from, kSwapMarker) || !fs.HoldsTree(from, partial, kSwapMarker))
            throw RuntimeError(platform::kDeviceIoError);
        RenameBeside(fs, partial, whole);
    } catch (...) {
        try {
            DeleteOwnFolder(fs, partial);
        } catch (...) {
            // Left for the settling, which knows the folder by its marker.
        }
        throw;
    }
}

void ExchangeWithLive(FileSystem& fs, const SwapJournal& j) {
    if (fs.ExchangeFolders(j.Staged(), j.Live)) return;
    RenameBeside(fs, j.Live, j.Exchange());
    RenameBeside(fs, j.Staged(), j.Live);
    RenameBeside(fs, j.Exchange(), j.Staged());
}

bool SettleSwap(FileSystem& fs, const SwapJournal& j) {
    const Verdict verdict = Check(fs, j);
    switch (verdict.At) {
        case Stage::Mismatch:
            throw SwapJournalMismatch{SwapFolders(fs, j), verdict.Odd};
        case Stage::Undo:
            Undo(fs, j);
            return false;
        case Stage::Finish:
            FinishExchange(fs, j);
            Finish(fs, j);
            break;
        case Stage::Done:
            break;
    }
    return true;
}

bool SwapTookPlace(const FileSystem& fs, const SwapJournal& j) {
    return IsMarked(fs, j.Live, j.Token);
}

std::vector<std::string> SwapFolders(const FileSystem& fs, const SwapJournal& j) {
    std::vector<std::string> folders;
    for (const std::string& folder : {j.Live, j.Copying(), j.Staged(), j.Exchange(), j.Source})
        if (fs.FolderExists(folder)) folders.push_back(folder);
    if (!j.Target.empty())
        for (const std::string& folder : {j.Target, j.Aside(), j.TargetCopying()})
            if (fs.FolderExists(folder)) folders.push_back(folder);
    return folders;
}

namespace {

std::string Lines(const std::vector<std::string>& folders) {
    std::string text;
    for (const std::string& folder : folders) text += "\r\n" + folder;
    return text;
}

// The folders a damaged journal may have left, where the installation is known.
std::vector<std::string> LeftBesideLive(const FileSystem& fs, const ProgramValues& pv) {
    std::string gpl = pv.GPLPath;
    // At start-up, before the installation is set up: the stored one.
    if (gpl.empty())
        gpl = FolderOfPath(pv.Env.Settings.Get(platform::kSettingsApp, platform::kMovrandSection,
                                               platform::kDriverIniFileKey));
    if (gpl.empty()) return {};
    if (gpl.back() != '\\') gpl += '\\';
    SwapJournal guess;
    guess.Live = gpl + "cars\\cars67";
    std::vector<std::string> folders;
    for (const std::string& folder : {guess.Copying(), guess.Staged(), guess.Exchange()})
        if (fs.FolderExists(folder)) folders.push_back(folder);
    return folders;
}

// The installation whose live folder the swap changed, while the one in use is not known yet
// (at start-up): where it holds the game's roster and this run holds its lock.
std::string InstallationOfSwap(const FileSystem& fs, const ProgramValues& pv,
                               const SwapJournal& j) {
    if (!pv.GPLPath.empty() || !pv.InstallationLock || !pv.InstallationLock->Lock.Usable())
        return "";
    const std::string folder = j.Live.substr(0, j.Live.size() - std::string("cars\\cars67").size());
    const std::string held = fs.WindowsOf(pv.InstallationLock->Folder);
    return fs.FileExists(folder + "driver.ini") && fs.IsWithin(folder, held) &&
                   fs.IsWithin(held, folder)
               ? folder
               : "";
}

}  // namespace

bool SettleInterruptedSwap(ProgramValues& pv, platform::Ui& ui) {
    FileSystem fs = pv.Files();
    const std::string path = SwapJournalPath(pv);
    if (!fs.FileExists(path)) return true;
    const std::string keep =
        "\r\n\r\nWhen they are as they should be, delete " + path + " to swap again.";
    std::optional<SwapJournal> journal;
    bool settled = false;
    const bool ran = platform::RunTrapped(ui, platform::TrapForm::Common, pv.ProgramName, [&] {
        journal = ParseSwapJournal(fs.ReadAllBytes(path));
        if (!journal) {
            ui.ShowMessage(
                "The record of a car folder swap that was cut short is damaged, so nothing has "
                "been moved or deleted. Please look at the folders swapped from and to, and at any "
                "folder beside the GPL car folder whose name ends in .movrand-copy, .movrand-swap "
                "or .movrand-exchange:" +
                Lines(LeftBesideLive(fs, pv)) + keep);
            return;
        }
        // The run that was cut short left its step unfinished; this one goes on with it.
        history::HistoryStep step(pv, std::string(kSwapStepSummary) + " that was cut short", &ui,
                                  {InstallationOfSwap(fs, pv, *journal),
                                   kSwapStepSummary,
                                   journal->Token,
                                   {kCarSetStepSummary}});
        step.AddRoot(journal->Source, journal->Token);
        step.AddRoot(journal->Target, journal->Token);
        FileSystem watched = pv.Files();
        bool tookPlace = false;
        try {
            tookPlace = SettleSwap(watched, *journal);
        } catch (const SwapJournalMismatch& mismatch) {
            step.LeaveUnfinished();
            ui.ShowMessage(
                "A car folder swap was cut short, and its folders are not what its record says, "
                "so nothing has been moved or deleted. Please look at these folders:" +
                Lines(mismatch.Folders) + keep);
            return;
        } catch (...) {
            // Tried again at the next start or swap, which goes on with the step.
            step.LeaveUnfinished();
            throw;
        }
        if (!step.WentOn())
            step.SetSummary(step.Summary() + (tookPlace ? " finished" : ", taken back"));
        else if (!tookPlace)
            step.SetSummary(step.Summary() + " (cut short and taken back)");
        fs.DeleteFile(path, true);
        settled = true;
    });
    if (!ran && journal)
        ui.ShowMessage(
            "A car folder swap that was cut short could not be finished; Movrand tries again at "
            "its next start or swap. These are its folders:" +
            Lines(SwapFolders(fs, *journal)));
    return settled;
}

}  // namespace movrand
