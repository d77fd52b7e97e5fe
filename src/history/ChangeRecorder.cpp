// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/ChangeRecorder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>

#include "history/NetChanges.h"
#include "platform/FileKeeping.h"
#include "platform/FileSystemErrors.h"
#include "platform/RuntimeError.h"

namespace movrand::history {

namespace fs = std::filesystem;
using platform::ChangeKind;

namespace {

// True when `path` is `folder` or lies inside it, by their names (both resolved native paths).
bool Under(const fs::path& path, const fs::path& folder) {
    const auto [end, ignored] =
        std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return end == folder.end();
}

// What is at `native` now, looked at by its name in `folder` (the open folder that holds it)
// where one is given. `known`, when given, is what an earlier step left there.
FileState StateIn(const fs::path& native, int folder);
FileState StateIn(const fs::path& native, int folder, const platform::FileFacts& facts,
                  const FileState* known);

// The disk space a kept copy takes (whole blocks, as the history's size and its limit count
// it); its length where it cannot be looked at.
std::uint64_t KeptSpace(int bucket, const fs::path& kept, std::uint64_t length) {
    struct stat st {};
    if (::fstatat(bucket, kept.filename().c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return length;
    return static_cast<std::uint64_t>(st.st_blocks) * 512;
}

}  // namespace

std::int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

FileState StateOf(const fs::path& native, int folder) {
    return StateIn(native, folder);
}

namespace {

FileState StateIn(const fs::path& native, int folder) {
    return StateIn(native, folder, platform::FactsOf(native, folder), nullptr);
}

// Gives a file's state the look it had (taken before its bytes were read): known by it later
// when that look had settled.
void TakeLook(FileState& state, const platform::FileFacts& facts) {
    if (!platform::ChangeTimeSettled(facts.ChangedNs)) return;
    state.Device = facts.Device;
    state.Number = facts.Number;
    state.ChangedNs = facts.ChangedNs;
}

FileState StateIn(const fs::path& native, int folder, const platform::FileFacts& facts,
                  const FileState* known) {
    FileState state;
    if (facts.Kind == platform::FileFacts::Type::Folder) {
        state.Kind = FileState::Type::Folder;
        state.Mode = facts.Mode;
    } else if (facts.Kind == platform::FileFacts::Type::File) {
        state.Kind = FileState::Type::File;
        state.Size = facts.Size;
        state.Mode = facts.Mode;
        state.ModifiedNs = facts.ModifiedNs;
        // A file an earlier step left, still as it was then, is not read again.
        if (known && known->IsFile() && known->Number && known->Number == facts.Number &&
            known->Device == facts.Device && known->ChangedNs == facts.ChangedNs &&
            known->Size == facts.Size && known->Mode == facts.Mode &&
            known->ModifiedNs == facts.ModifiedNs)
            state.Hash = known->Hash;
        else
            state.Hash = platform::FastHashOf(native, true, folder);
        TakeLook(state, facts);
    }
    return state;
}

}  // namespace

ChangeRecorder::ChangeRecorder(HistoryPlace& place, Step header)
    : place_(place),
      step_(std::move(header)),
      installation_(place.Native(place.Installation())),
      history_(place.NativeFolder()),
      contentFolder_(place.Native(place.ContentFolder())) {
    before_ = platform::SyncFirstEachTime(this);
    writingAhead_ = true;
}

ChangeRecorder::ChangeRecorder(HistoryPlace& place, Step unfinished, bool goesOn)
    : ChangeRecorder(place, std::move(unfinished)) {
    if (!goesOn) return;
    for (const std::string& root : step_.Roots)
        roots_.push_back(place_.Native(root).lexically_normal());
    // Folders it kept are named NUMBER-N: the next gets a number of its own.
    for (const StepChange& c : step_.Changes) {
        int n = 0;
        const std::size_t dash = c.To.rfind('-');
        if (c.Kind == StepChange::Type::Kept && dash != std::string::npos)
            std::from_chars(c.To.data() + dash + 1, c.To.data() + c.To.size(), n);
        kept_ = std::max(kept_, n);
    }
    std::string text = StepText(step_);
    text.resize(text.size() - std::string("end\n").size());
    place_.Files().WriteWholeFile(place_.Pending(), text + "started\n");
    OpenJournal(O_APPEND);
    place_.Share(place_.Pending());
}

void ChangeRecorder::OpenJournal(int how) {
    // Never through a link: the journal is written where the history is, or not at all.
    const int fd = ::open(place_.Native(place_.Pending()).c_str(),
                          O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | how, 0644);
    journal_ = fd < 0 ? nullptr : ::fdopen(fd, how == O_APPEND ? "a" : "w");
    if (!journal_) {
        if (fd >= 0) ::close(fd);
        throw platform::RuntimeError(platform::kPathFileAccessError,
                                     "Cannot write the history file " + place_.Pending());
    }
}

ChangeRecorder::~ChangeRecorder() {
    StopWritingAhead();
    if (journal_) std::fclose(journal_);
}

void ChangeRecorder::StopWritingAhead() {
    if (writingAhead_) platform::SyncFirstEachTime(before_);
    writingAhead_ = false;
}

int ChangeRecorder::SyncFirst() {
    if (!journal_ || journalSynced_) return 0;
    // One sync of the file system that holds the history: the journal's lines, the content
    // links beside them and the folders made for them, whatever folders they are in.
    int error = place_.RecordFault("sync " + place_.Pending());
    if (!error) error = platform::SyncToDisk(::fileno(journal_), platform::SyncKind::FileSystem);
    if (error) {
        // The sync asked for fails with it; the step remembers why, naming its journal.
        if (!failure_) failure_ = platform::ErrorAbout(error, "sync", place_.Pending());
        return error;
    }
    journalSynced_ = true;
    return 0;
}

void ChangeRecorder::Fail(int error) {
    if (!failure_) failure_ = platform::ErrorAbout(error, "write", place_.Pending());
    throw *failure_;
}

void ChangeRecorder::WriteJournal(const std::string& text) {
    if (failure_) throw *failure_;
    if (const int error = place_.RecordFault("write " + place_.Pending())) Fail(error);
    errno = 0;
    if (std::fputs(text.c_str(), journal_) < 0 || std::fflush(journal_) != 0) {
        const int error = errno ? errno : EIO;
        std::clearerr(journal_);
        Fail(error);
    }
}

void ChangeRecorder::LetGoKept() {
    for (const fs::path& kept : addedContent_) platform::DropKeptFile(kept);
    addedContent_.clear();
}

std::string ChangeRecorder::Windows(const fs::path& native) const {
    // Inside the installation the name follows from the installation's own, with no look at
    // the disk (the service hands over resolved native paths).
    const std::string& text = native.native();
    const std::string& folder = installation_.native();
    const std::size_t n = folder.size();
    if (text.size() > n + 1 && text.compare(0, n, folder) == 0 && text[n] == '/' &&
        text.back() != '/' && text.find("/.", n) == std::string::npos &&
        text.find("//", n) == std::string::npos) {
        std::string windows = place_.Installation() + text.substr(folder.size());
        std::replace(windows.begin() + static_cast<std::ptrdiff_t>(place_.Installation().size()),
                     windows.end(), '/', '\\');
        return windows;
    }
    if (Under(native, installation_) && native != installation_) {
        std::string windows = place_.Installation();
        for (const fs::path& part : native.lexically_relative(installation_))
            windows += "\\" + part.string();
        return windows;
    }
    return place_.Files().WindowsOf(native);
}

fs::path ChangeRecorder::ContentOf(const std::string& hash) const {
    // Put together as text: a path joined to a path is parsed again at each step.
    return contentFolder_.native() + "/" + hash.substr(0, 2) + "/" + hash;
}

bool ChangeRecorder::InHistory(const fs::path& native) const {
    return Under(native, history_);
}

bool ChangeRecorder::InScope(const fs::path& native) const {
    if (InHistory(native)) return false;
    if (Under(native, installation_)) return true;
    for (const fs::path& root : roots_) {
        if (Under(native, root)) return true;
        // The folders a swap makes beside a stored folder: NAME.movrand-copy, NAME.movrand-old.
        const std::string beside = root.filename().string() + ".movrand-";
        for (fs::path at = native; !at.empty() && at != at.parent_path(); at = at.parent_path())
            if (at.parent_path() == root.parent_path() &&
                at.filename().string().rfind(beside, 0) == 0)
                return true;
    }
    return false;
}

void ChangeRecorder::AddRoot(const std::string& windowsFolder, const std::string& token) {
    if (windowsFolder.empty()) return;
    const fs::path native = place_.Native(windowsFolder).lexically_normal();
    if (Under(native, installation_)) return;
    const std::string windows = Windows(native);
    const bool known = std::find(roots_.begin(), roots_.end(), native) != roots_.end();
    if (known && (token.empty() || step_.RootTokens.count(windows))) return;
    if (!known) {
        roots_.push_back(native);
        step_.Roots.push_back(windows);
    }
    if (!token.empty()) step_.RootTokens[windows] = token;
    if (journal_) Journal("root\t" + EscapedField(windows) + (token.empty() ? "" : "\t" + token));
}

void ChangeRecorder::MarkUndoOf(std::vector<int> steps, bool isUndo) {
    step_.Undoes = std::move(steps);
    step_.IsUndo = isUndo;
}

void ChangeRecorder::Journal(const std::string& line) {
    if (!journal_) {
        // The history's folder is made by the first change it records.
        place_.Create();
        // The header goes first: the journal is a step without its end.
        Step header = step_;
        header.Changes.clear();
        std::string text = StepText(header);
        text.resize(text.size() - std::string("end\n").size());
        OpenJournal(O_TRUNC);
        place_.Share(place_.Pending());
        // Unsynced from here on: a failed write below still leaves a sync to fail.
        journalSynced_ = false;
        WriteJournal(text + line + "\n");
        return;
    }
    journalSynced_ = false;
    WriteJournal(line + "\n");
}

void ChangeRecorder::Touch(const fs::path& native, bool copy, int folder,
                           const platform::FileFacts* looked) {
    if (!InScope(native)) return;
    const std::string key = native.string();
    // A file written earlier in the group is about to change again: it is looked at afresh.
    if (!written_.empty()) written_.erase(key);
    if (group_.count(key)) return;
    if (folder >= 0 && !folders_.count(native.parent_path().string()))
        folders_.emplace(native.parent_path().string(),
                         std::make_unique<platform::Descriptor>(platform::Duplicate(folder)));
    StepChange change;
    change.Path = Windows(native);
    const platform::FileFacts facts = looked ? *looked : platform::FactsOf(native, folder);
    change.Before =
        StateIn(native, folder, facts,
                facts.Kind == platform::FileFacts::Type::File ? KnownAt(change.Path) : nullptr);
    // Its look is known of the files a step leaves, not of those it replaces.
    change.Before.Number = change.Before.Device = 0;
    change.Before.ChangedNs = 0;
    if (!journal_) Journal("started");
    if (change.Before.IsFile()) {
        fs::path kept = ContentOf(change.Before.Hash);
        // Made where missing and held open, no link followed: looked up through the service,
        // each of the content's folders cost a listing of them all.
        const std::string name = change.Before.Hash.substr(0, 2);
        auto held = buckets_.find(name);
        if (held == buckets_.end()) {
            if (!content_)
                content_ = std::make_unique<platform::Descriptor>(
                    place_.Files().OpenFolder(place_.ContentFolder()));
            held = buckets_
                       .emplace(name,
                                std::make_unique<platform::Descriptor>(platform::MakeFolderAt(
                                    content_->Get(), name, place_.ContentFolder() + "\\" + name)))
                       .first;
            place_.Share(place_.ContentFolder() + "\\" + name);
        }
        platform::KeptAs added = platform::KeptAs::AlreadyKept;
        try {
            added = platform::KeepFile(native, kept, copy, held->second->Get(), folder);
        } catch (const platform::RuntimeError& error) {
            // Another user's file this user may not read, say: the refusal names it.
            throw platform::RuntimeError(
                error.Number(),
                "Cannot keep " + change.Path + " in the history: " + error.Description());
        }
        if (added != platform::KeptAs::AlreadyKept) {
            place_.Share(kept);
            // A link is the file looked at above under a second name: its blocks are the
            // file's.
            step_.BytesKept += added == platform::KeptAs::Link
                                   ? facts.Blocks * 512
                                   : KeptSpace(held->second->Get(), kept, change.Before.Size);
            addedContent_.push_back(std::move(kept));
        }
    }
    Journal("path\t" + change.Before.Text() + "\t?\t" + EscapedField(change.Path));
    group_[key] = step_.Changes.size();
    step_.Changes.push_back(std::move(change));
}

void ChangeRecorder::Wrote(const platform::WrittenFile& file) {
    const std::string key = file.Path.string();
    if (group_.count(key)) written_[key] = file;
}

FileState ChangeRecorder::StateAfter(const std::string& native) const {
    const auto held = folders_.find(native.substr(0, native.rfind('/')));
    const int folder = held == folders_.end() ? -1 : held->second->Get();
    const auto found = written_.find(native);
    if (found == written_.end() || !platform::StillAsWritten(found->second, folder))
        return StateIn(native, folder);
    const platform::WrittenFile& file = found->second;
    FileState state;
    state.Kind = FileState::Type::File;
    state.Size = file.Size;
    state.Mode = file.Mode;
    state.ModifiedNs = file.ModifiedNs;
    state.Hash = file.Hash;
    if (platform::ChangeTimeSettled(file.ChangedNs)) {
        state.Device = file.Device;
        state.Number = file.Number;
        state.ChangedNs = file.ChangedNs;
    }
    return state;
}

const FileState* ChangeRecorder::KnownAt(const std::string& windows) {
    if (!knownRead_) {
        knownRead_ = true;
        // What the newest steps left, the newest first: the files they wrote are known by their
        // look. A history that cannot be read here only costs reading the files.
        try {
            const std::vector<Step> index = place_.ReadIndex();
            int read = 0;
            for (auto it = index.rbegin(); it != index.rend() && read < kStepsKnown; ++it, ++read)
                Know(place_.ReadStep(it->Number));
        } catch (const platform::RuntimeError&) {
        }
    }
    const auto found = known_.find(windows);
    return found == known_.end() ? nullptr : &found->second;
}

void ChangeRecorder::Know(const Step& step) {
    // Newest first: a path an earlier step also left keeps the newest look.
    for (const StepChange& c : step.Changes)
        if (c.Kind == StepChange::Type::Path && c.HasAfter && c.After.Number)
            known_.emplace(c.Path, c.After);
}

void ChangeRecorder::KnowSteps(const std::vector<Step>& steps) {
    if (knownRead_) return;
    knownRead_ = true;
    int read = 0;
    for (auto it = steps.rbegin(); it != steps.rend() && read < kStepsKnown; ++it, ++read)
        Know(*it);
}

void ChangeRecorder::CloseGroup() {
    // The journal's lines of the group go in one write: they only save the next start a look.
    std::string lines;
    for (const auto& [native, index] : group_) {
        StepChange& change = step_.Changes[index];
        change.After = StateAfter(native);
        change.HasAfter = true;
        if (!lines.empty()) lines += "\n";
        lines += "after\t" + change.After.Text() + "\t" + EscapedField(change.Path);
    }
    if (!lines.empty()) Journal(lines);
    group_.clear();
    written_.clear();
    folders_.clear();
}

bool ChangeRecorder::Before(const platform::Change& change) {
    switch (change.Kind) {
        case ChangeKind::WriteFile:
        case ChangeKind::DeleteFile:
        case ChangeKind::CreateFolder:
            Touch(change.Path, false, change.Folder, change.Looked);
            return false;
        case ChangeKind::RewriteFile:
        case ChangeKind::Attributes:
            Touch(change.Path, true);
            return false;
        case ChangeKind::MoveFolder:
        case ChangeKind::Exchange:
            Moving(change);
            return false;
        case ChangeKind::DeleteFolder:
            break;
    }
    if (!InScope(change.Path)) return false;
    // A deleted folder goes into the history whole, by a rename where it can.
    CloseGroup();
    if (!journal_) Journal("started");
    StepChange kept;
    kept.Kind = StepChange::Type::Kept;
    kept.Path = Windows(change.Path);
    kept.To = std::to_string(step_.Number) + "-" + std::to_string(++kept_);
    // Written before the move: a kill after it still finds the folder's record.
    Journal("kept\t" + EscapedField(kept.Path) + "\t" + kept.To);
    const std::string target = place_.KeptPath(kept.To);
    place_.Files().MoveFolder(kept.Path, target);
    step_.BytesKept += platform::DiskSpaceUnder(place_.Native(target));
    step_.Changes.push_back(std::move(kept));
    return true;
}

bool ChangeRecorder::Recorded(const platform::Change& change) const {
    // A folder taken out of the history or back into it counts wherever it goes.
    return InScope(change.Path) || InScope(change.To) || InHistory(change.Path) ||
           InHistory(change.To);
}

void ChangeRecorder::Moving(const platform::Change& change) {
    if (!Recorded(change)) return;
    CloseGroup();
    if (!journal_) Journal("started");
    // The other end of a move out of or into the installation is a stored car folder.
    if (!InScope(change.Path) && !InHistory(change.Path)) AddRoot(Windows(change.Path));
    if (!InScope(change.To) && !InHistory(change.To)) AddRoot(Windows(change.To));
    // Told before it is made: the next start knows whether it was by the folder's number.
    const platform::FileFacts facts = platform::FactsOf(change.Path);
    Journal(std::string(change.Kind == ChangeKind::Exchange ? "exchanging\t" : "moving\t") +
            EscapedField(Windows(change.Path)) + "\t" + EscapedField(Windows(change.To)) + "\t" +
            std::to_string(facts.Number));
}

void ChangeRecorder::After(const platform::Change& change) {
    if (!Recorded(change)) return;
    StepChange moved;
    moved.Kind =
        change.Kind == ChangeKind::Exchange ? StepChange::Type::Exchange : StepChange::Type::Move;
    moved.Path = Windows(change.Path);
    moved.To = Windows(change.To);
    // Made already: a failed line below must not keep it from being taken back.
    step_.Changes.push_back(moved);
    Journal(std::string(moved.Kind == StepChange::Type::Move ? "move\t" : "exchange\t") +
            EscapedField(moved.Path) + "\t" + EscapedField(moved.To));
}

Step ChangeRecorder::Finish() {
    // The step is written whole from here on, synced before its index line.
    StopWritingAhead();
    try {
        CloseGroup();
    } catch (const platform::RuntimeError&) {
        // A journal that failed: the step is taken back whole (see Failure()).
        if (!failure_) throw;
    }
    step_.EndedNs = NowNs();
    // Only its net change: a walk back through many steps records what differs after it.
    step_.Changes = NetChanges(std::move(step_.Changes),
                               [this](const std::string& name) { return place_.KeptPath(name); });
    std::vector<StepChange> net;
    for (StepChange& change : step_.Changes) {
        if (change.MovedBack) {
            const fs::path native = place_.Native(change.Path);
            if (!InScope(native) || native == installation_) continue;
            change.Before = change.After = StateOf(native);
            change.HasAfter = true;
            if (!change.Before.IsFolder()) continue;
        }
        net.push_back(std::move(change));
    }
    step_.Changes = std::move(net);
    if (step_.Changes.empty()) {
        // Nothing changed: what was kept for it belongs to no step.
        for (const fs::path& kept : addedContent_) platform::DropKeptFile(kept);
        step_.BytesKept = 0;
    }
    // The kept copies as the step leaves them: a later restore knows them whole by their look.
    for (const fs::path& kept : addedContent_) {
        const auto bucket = buckets_.find(kept.parent_path().filename().string());
        const platform::FileFacts facts =
            platform::FactsOf(kept, bucket == buckets_.end() ? -1 : bucket->second->Get());
        if (facts.Kind == platform::FileFacts::Type::File &&
            platform::ChangeTimeSettled(facts.ChangedNs))
            step_.KeptCopies[kept.filename().string()] = {facts.Number, facts.Size,
                                                          facts.ChangedNs};
    }
    // Handed over whole: the recorder has no more use for it.
    return std::move(step_);
}

}  // namespace movrand::history
