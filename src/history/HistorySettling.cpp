// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistorySettling.h"

#include <algorithm>

#include "history/ChangeRecorder.h"
#include "history/StepPlaces.h"
#include "platform/FileKeeping.h"
#include "platform/FileSystemErrors.h"
#include "platform/RuntimeError.h"

namespace movrand::history {

namespace {

// The open folder that holds `path`, opened as the service opens it (a link on the way is
// refused by its name); none where it is missing.
platform::Descriptor FolderOf(const platform::FileSystem& fs, const std::string& path) {
    std::string name;
    try {
        return fs.OpenParent(path, name);
    } catch (const platform::RuntimeError& e) {
        if (e.Number() != platform::kPathNotFound && e.Number() != platform::kFileNotFound) throw;
        return platform::Descriptor();
    }
}

platform::FileFacts FactsAt(const platform::FileSystem& fs, const std::string& path) {
    const platform::Descriptor folder = FolderOf(fs, path);
    return folder.Get() < 0 ? platform::FileFacts{}
                            : platform::FactsOf(fs.Native(path), folder.Get());
}

// Whether a move or exchange the journal told of before making it was made: the folder that
// stood at Path is at To now.
bool Made(const platform::FileSystem& fs, const StepChange& c) {
    const platform::FileFacts to = FactsAt(fs, c.To);
    if (to.Kind != platform::FileFacts::Type::Folder) return false;
    if (to.Number == c.FolderNumber) return true;
    // A move across file systems copies: done once its source is gone.
    return c.Kind == StepChange::Type::Move &&
           FactsAt(fs, c.Path).Kind == platform::FileFacts::Type::None;
}

// The pending journal as it was written; nothing when it was cut before its first change was
// written (the run changed nothing it recorded). Raises, naming it, when it is damaged.
std::optional<Step> ParsePending(const HistoryPlace& place) {
    // A kill can cut the journal's last line short; what it had not written had not happened.
    std::string text = place.ReadRecord(place.Pending());
    text.resize(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
    try {
        return ParseStep(text, place.Pending(), true);
    } catch (const platform::RuntimeError&) {
        for (const char* change :
             {"\npath\t", "\nmove\t", "\nexchange\t", "\nkept\t", "\nmoving\t", "\nexchanging\t"})
            if (text.find(change) != std::string::npos) throw;
        return std::nullopt;
    }
}

}  // namespace

std::optional<Step> ReadPendingStep(HistoryPlace& place, const std::string& vouched) {
    platform::FileSystem& fs = place.Files();
    if (!fs.FileExists(place.Pending())) return std::nullopt;
    std::optional<Step> read = ParsePending(place);
    if (!read) {
        fs.DeleteFile(place.Pending(), true);
        return std::nullopt;
    }
    Step step = std::move(*read);
    place.FollowInstallation(step);
    // The step file may have been written before the cut: then only the journal goes, once the
    // step is listed.
    bool listed = false;
    for (const Step& known : place.ReadIndex()) listed = listed || known.Number == step.Number;
    if (!listed && fs.FileExists(place.StepFile(step.Number))) {
        place.ListStep(place.ReadStep(step.Number));
        listed = true;
    }
    if (listed) {
        fs.DeleteFile(place.Pending(), true);
        return std::nullopt;
    }
    CheckStepPlaces(place, step, place.Pending(), "", vouched);
    // Nothing is looked at through a link, below the installation nor below a stored folder.
    platform::FileSystem files = fs;
    for (const std::string& root : step.Roots) files.GuardStoredBelow(root);
    std::vector<StepChange> changes;
    for (StepChange& c : step.Changes) {
        if (c.Kind == StepChange::Type::Kept && !fs.FolderExists(place.KeptPath(c.To))) continue;
        if (c.Unconfirmed && !Made(files, c)) continue;
        c.Unconfirmed = false;
        if (c.Kind == StepChange::Type::Path && !c.HasAfter) {
            const platform::Descriptor folder = FolderOf(files, c.Path);
            c.After = folder.Get() < 0 ? FileState{} : StateOf(fs.Native(c.Path), folder.Get());
            c.HasAfter = true;
        }
        if (c.Kind == StepChange::Type::Path && c.Before.SameAs(c.After)) continue;
        changes.push_back(std::move(c));
    }
    step.Changes = std::move(changes);
    if (step.Changes.empty()) {
        fs.DeleteFile(place.Pending(), true);
        return std::nullopt;
    }
    step.Number = std::max(step.Number, place.NextNumber());
    step.EndedNs = NowNs();
    return step;
}

void RecordCutShort(HistoryPlace& place, Step step) {
    step.Summary += " (cut short)";
    place.AddStep(step);
    place.Files().DeleteFile(place.Pending(), true);
}

std::string DamagedPendingStep(const HistoryPlace& place) {
    if (!place.Exists() || place.Files().KindAt(place.Pending()).empty()) return "";
    try {
        if (const std::optional<Step> step = ParsePending(place))
            CheckStepPlaces(place, *step, place.Pending(), "");
    } catch (const platform::RuntimeError& error) {
        return error.Description();
    }
    return "";
}

std::string SetDamagedPendingAside(HistoryPlace& place) {
    platform::FileSystem& fs = place.Files();
    // A link or anything else that is no regular file holds no record: it goes alone (what a
    // link points to is left as it is).
    if (fs.KindAt(place.Pending()) != "a file") {
        fs.DeleteFile(place.Pending(), true);
        fs.SyncTouched();
        return "";
    }
    std::string aside = place.Pending() + ".damaged";
    for (int n = 2; !fs.KindAt(aside).empty(); ++n)
        aside = place.Pending() + ".damaged-" + std::to_string(n);
    fs.MoveFile(place.Pending(), aside);
    fs.SyncTouched();
    return aside;
}

std::string DamagedPendingWayOut() {
    return "To set it aside (it is kept in the history) and leave the game as it is, run: "
           "movrand-cli history abandon (or answer Yes when Movrand asks at its start).";
}

std::string DamagedPendingRefusal(const HistoryPlace& place) {
    const std::string damaged = DamagedPendingStep(place);
    if (damaged.empty()) return "";
    return damaged + (damaged.back() == '.' ? "" : ".") +
           " Nothing can be changed until it is set aside. " + DamagedPendingWayOut();
}

std::string DamagedPendingSetAsideText(const std::string& aside) {
    if (aside.empty())
        return "The record of a step that was cut short, which was no regular file, was removed "
               "and the game left as it is; what that run changed is in no step.";
    return "The damaged record of a step that was cut short was set aside as " + aside +
           " and the game left as it is; what that run changed is in no step.";
}

int SettlePendingStep(HistoryPlace& place) {
    std::optional<Step> step = ReadPendingStep(place);
    if (!step) return 0;
    const int number = step->Number;
    RecordCutShort(place, std::move(*step));
    return number;
}

}  // namespace movrand::history
