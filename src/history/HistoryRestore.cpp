// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryRestore.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "history/ChangeRecorder.h"
#include "history/CrossedSteps.h"
#include "history/HistoryPlace.h"
#include "history/HistorySettling.h"
#include "history/HistoryStep.h"
#include "history/KeptLooks.h"
#include "history/RestoreChecks.h"
#include "history/RestoreCount.h"
#include "history/RestoreJournal.h"
#include "history/StepPlaces.h"
#include "platform/FileKeeping.h"
#include "platform/FileSystemErrors.h"
#include "platform/FolderWalk.h"
#include "platform/PutBackGroup.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

namespace movrand::history {

namespace {

using platform::LowerCase;

// The state every path the history knows should have now, by its lower-cased Windows path.
struct Expected {
    std::string Path;
    FileState State;
    bool Touched = false;  // a step being taken back changes it
    bool Made = false;     // ... and the oldest of them made it: the taking back removes it
};
using ExpectedMap = std::map<std::string, Expected>;

// A folder a step moved whole (a stored car folder made live, the old live folder stored): what
// lies in it is known as it was when that step ended, since no one can set a change time back.
struct MovedFolder {
    std::string Path;          // where it is now
    std::int64_t SinceNs = 0;  // the end of the step that moved it last; 0: not known
    bool Touched = false;      // a step being taken back moves it
    bool IntoHistory = false;  // ... back into the history's kept folders
};

// When a step last changed the entries of a folder (made, deleted or renamed one in it).
struct EntriesChanged {
    std::string Path;
    std::int64_t Ns = 0;
};

// What is known at and under a folder, taken out to be put under another.
struct Taken {
    std::vector<Expected> Paths;
    std::vector<MovedFolder> Moved;
    std::vector<EntriesChanged> Entries;
};

// What the history knows should be on the disk now.
struct Known {
    ExpectedMap Paths;
    std::map<std::string, MovedFolder> Moved;
    std::map<std::string, EntriesChanged> Entries;
    // What was known in each folder a step took into the history's kept folders, by its kept
    // path: a later step that brings it back brings that knowledge back with it.
    std::map<std::string, std::pair<std::string, Taken>> InKept;
    // When the history's own records were last made anew by a copy (the prefix copied with its
    // times kept, a backup put back); 0 when they never were.
    std::int64_t CopiedNs = 0;
};

bool UnderKey(const std::string& key, const std::string& folderKey) {
    return key == folderKey ||
           (key.size() > folderKey.size() && key.compare(0, folderKey.size(), folderKey) == 0 &&
            key[folderKey.size()] == '\\');
}

// Takes out every entry at or under `folder`.
template <typename Entry>
std::vector<Entry> TakeUnder(std::map<std::string, Entry>& map, const std::string& folder) {
    const std::string key = LowerCase(folder);
    std::vector<Entry> taken;
    for (auto it = map.lower_bound(key);
         it != map.end() && it->first.compare(0, key.size(), key) == 0;) {
        if (UnderKey(it->first, key)) {
            taken.push_back(std::move(it->second));
            it = map.erase(it);
        } else {
            ++it;
        }
    }
    return taken;
}

template <typename Entry>
void PutUnder(std::map<std::string, Entry>& map, std::vector<Entry> entries,
              const std::string& from, const std::string& to) {
    for (Entry& e : entries) {
        e.Path = to + e.Path.substr(from.size());
        map[LowerCase(e.Path)] = std::move(e);
    }
}

std::string ParentOf(const std::string& path) {
    return path.substr(0, path.rfind('\\'));
}

// When the history's own records were last made anew by a copy; 0 when they never were. A copy
// keeps the modification times but makes every file anew: a step file born after it was last
// written tells of one (where the file system keeps no birth time, one whose permissions or name
// changed long after it was written).
std::int64_t LastCopiedNs(const HistoryPlace& place) {
    std::int64_t copied = 0;
    for (const platform::WalkedEntry& e :
         platform::WalkFolder(place.Native(place.Folder() + "\\steps"))) {
        constexpr std::int64_t kLongAfter = 60'000'000'000;
        const std::int64_t made = e.BornNs ? e.BornNs : e.ChangedNs - kLongAfter;
        if (!e.Folder && made > e.ModifiedNs)
            copied = std::max(copied, e.BornNs ? e.BornNs : e.ChangedNs);
    }
    return copied;
}

// Follows the steps oldest first; what the steps in `touching` change is marked. `history` is
// the history's own folder.
Known ExpectedState(const std::vector<Step>& steps, const std::set<int>& touching,
                    const HistoryPlace& place) {
    Known known;
    const std::string history = LowerCase(place.Folder());
    const auto inHistory = [&](const std::string& path) {
        return UnderKey(LowerCase(path), history);
    };
    const auto entriesChanged = [&](const std::string& path, std::int64_t ns) {
        known.Entries[LowerCase(ParentOf(path))] = {ParentOf(path), ns ? ns : INT64_MAX};
    };
    const auto takeAll = [&](const std::string& folder) {
        return Taken{TakeUnder(known.Paths, folder), TakeUnder(known.Moved, folder),
                     TakeUnder(known.Entries, folder)};
    };
    const auto putAll = [&](Taken taken, const std::string& from, const std::string& to) {
        PutUnder(known.Paths, std::move(taken.Paths), from, to);
        PutUnder(known.Moved, std::move(taken.Moved), from, to);
        PutUnder(known.Entries, std::move(taken.Entries), from, to);
    };
    for (const Step& step : steps) {
        const bool touched = touching.count(step.Number) > 0;
        // The folder now at `path` was moved whole by this step, from the history's kept
        // folders or not; one that those steps brought out of them goes back in with them.
        const auto moved = [&](const std::string& path, bool fromHistory) {
            if (inHistory(path)) return;
            MovedFolder& m = known.Moved[LowerCase(path)];
            m = {path, step.EndedNs, touched || m.Touched,
                 fromHistory || (touched && m.Touched && m.IntoHistory)};
        };
        for (const StepChange& c : step.Changes) {
            entriesChanged(c.Path, step.EndedNs);
            if (c.Kind == StepChange::Type::Move || c.Kind == StepChange::Type::Exchange)
                entriesChanged(c.To, step.EndedNs);
            switch (c.Kind) {
                case StepChange::Type::Path: {
                    Expected& e = known.Paths[LowerCase(c.Path)];
                    e.Path = c.Path;
                    e.State = c.After;
                    if (touched && !e.Touched) e.Made = c.Before.IsNone();
                    e.Touched = e.Touched || touched;
                    // A folder moved away and back within the step: what lies in it is known
                    // as it was when this step ended.
                    if (c.Before.IsFolder() && c.After.IsFolder()) {
                        known.Entries[LowerCase(c.Path)] = {
                            c.Path, step.EndedNs ? step.EndedNs : INT64_MAX};
                        if (const auto m = known.Moved.find(LowerCase(c.Path));
                            m != known.Moved.end())
                            m->second.SinceNs = std::max(m->second.SinceNs, step.EndedNs);
                    }
                    break;
                }
                case StepChange::Type::Move:
                    putAll(takeAll(c.Path), c.Path, c.To);
                    if (const auto k = known.InKept.find(LowerCase(c.Path));
                        k != known.InKept.end()) {
                        putAll(std::move(k->second.second), k->second.first, c.To);
                        known.InKept.erase(k);
                    }
                    if (inHistory(c.To)) TakeUnder(known.Moved, c.To);  // out of the installation
                    moved(c.To, inHistory(c.Path));
                    break;
                case StepChange::Type::Exchange: {
                    Taken a = takeAll(c.Path);
                    putAll(takeAll(c.To), c.To, c.Path);
                    putAll(std::move(a), c.Path, c.To);
                    moved(c.Path, false);
                    moved(c.To, false);
                    break;
                }
                case StepChange::Type::Kept:
                    known.InKept[LowerCase(place.KeptPath(c.To))] = {c.Path, takeAll(c.Path)};
                    break;
            }
        }
    }
    known.CopiedNs = LastCopiedNs(place);
    return known;
}

// Native paths of many files in few folders: each folder resolved once, each file under the
// name the history recorded (as the disk had it), with no listing of its folder per file. Each
// folder is opened once, as the file-system service opens it: a link on the way to a file, in
// the installation or a stored car folder, is refused by its name, and nothing is looked at,
// read or written through it.
class NativePaths {
  public:
    explicit NativePaths(const platform::FileSystem& fs) : fs_(fs) {}
    std::filesystem::path operator()(const std::string& path) {
        const std::size_t slash = path.rfind('\\');
        if (slash == std::string::npos || slash < 3) return fs_.Native(path);
        const std::string folder = path.substr(0, slash);
        auto found = folders_.find(LowerCase(folder));
        if (found == folders_.end())
            found = folders_.emplace(LowerCase(folder), fs_.Native(folder)).first;
        return found->second / path.substr(slash + 1);
    }
    // The open folder that holds `path`; -1 when there is none (a missing folder is looked at
    // again next time: it may have been made since).
    int Folder(const std::string& path) {
        const std::size_t slash = path.rfind('\\');
        const std::string folder = path.substr(0, slash < 3 ? slash + 1 : slash);
        const std::string key = LowerCase(folder);
        if (const auto found = held_.find(key); found != held_.end()) return found->second.Get();
        try {
            return held_.emplace(key, fs_.OpenFolder(folder)).first->second.Get();
        } catch (const platform::RuntimeError& e) {
            if (e.Number() == platform::kPathNotFound || e.Number() == platform::kFileNotFound)
                return -1;
            throw;
        }
    }
    // What is at `path` (its native path `native`) now, looked at by its name in its folder.
    platform::FileFacts Facts(const std::string& path, const std::filesystem::path& native) {
        const int folder = Folder(path);
        return folder < 0 ? platform::FileFacts{} : platform::FactsOf(native, folder);
    }

  private:
    const platform::FileSystem& fs_;
    std::map<std::string, std::filesystem::path> folders_;
    std::map<std::string, platform::Descriptor> held_;
};

// The kept copy of content by its fingerprint, as a Windows path.
std::string ContentFile(const HistoryPlace& place, const std::string& hash) {
    return place.ContentFolder() + "\\" + hash.substr(0, 2) + "\\" + hash;
}

// How the disk differs from what the history expects: "" when it does not. `looked`: what the
// plan's check found at paths it looked at by their names in their folders just before.
std::string Difference(NativePaths& natives, const Expected& e,
                       const std::map<std::string, platform::FileFacts>* looked = nullptr) {
    const std::filesystem::path native = natives(e.Path);
    const platform::FileFacts* seen = nullptr;
    if (looked)
        if (const auto found = looked->find(LowerCase(e.Path)); found != looked->end())
            seen = &found->second;
    const platform::FileFacts facts = seen ? *seen : natives.Facts(e.Path, native);
    using Type = platform::FileFacts::Type;
    switch (e.State.Kind) {
        case FileState::Type::None:
            return facts.Kind == Type::None ? "" : "added";
        case FileState::Type::Folder:
            return facts.Kind == Type::Folder ? ""
                   : facts.Kind == Type::None ? "missing"
                                              : "changed";
        case FileState::Type::File:
            break;
    }
    if (facts.Kind == Type::None) return "missing";
    if (facts.Kind != Type::File || facts.Size != e.State.Size) return "changed";
    if (facts.Mode != e.State.Mode) return "changed";
    if (facts.ModifiedNs == e.State.ModifiedNs) return "";
    return platform::FastHashOf(native, true, natives.Folder(e.Path)) == e.State.Hash ? ""
                                                                                      : "changed";
}

// True when a folder a step moved whole lies between `rootKey` and `key` (or is `key`): what is
// in it is looked at on its own, since its own step.
bool InOtherMoved(const Known& known, const std::string& key, const std::string& rootKey) {
    for (std::size_t at = key.find('\\', rootKey.size() + 1);; at = key.find('\\', at + 1)) {
        if (known.Moved.count(key.substr(0, at))) return true;
        if (at == std::string::npos) return false;
    }
}

// Looks at what lies in a folder a step moved whole, beyond what the history records file by
// file: what someone else changed since, a file changed or added after the step ended, a folder
// whose files were added or deleted after the steps last changed them.
void LookInMoved(const Known& known, const MovedFolder& m, const platform::FileSystem& fs,
                 std::vector<HandChange>& changes) {
    if (!m.SinceNs) return;  // a step of an older history: not known
    const auto entriesSince = [&](const std::string& key) {
        const auto e = known.Entries.find(key);
        return std::max(m.SinceNs, e == known.Entries.end() ? 0 : e->second.Ns);
    };
    const std::filesystem::path native = fs.Native(m.Path);
    // Looked at by its name in its folder, opened as the service opens it: a link on the way is
    // refused by its name, and a link in its place is not walked into.
    NativePaths natives(fs);
    const platform::FileFacts root = natives.Facts(m.Path, native);
    const std::string rootKey = LowerCase(m.Path);
    if (root.Kind != platform::FileFacts::Type::Folder) {
        changes.push_back(
            {root.Kind == platform::FileFacts::Type::None ? "missing" : "changed", m.Path});
        return;
    }
    if (root.ModifiedNs > entriesSince(rootKey)) changes.push_back({"changed", m.Path});
    for (const platform::WalkedEntry& entry : platform::WalkFolder(native)) {
        const std::string path = m.Path + "\\" + entry.Name;
        const std::string key = LowerCase(path);
        if (known.Paths.count(key) || InOtherMoved(known, key, rootKey)) continue;
        // Copied since the step that moved the folder, every file was made anew: only its
        // modification time (kept by the copy) tells of a change.
        const bool copied = known.CopiedNs > m.SinceNs;
        if (entry.Folder ? entry.ModifiedNs > entriesSince(key)
                         : (copied ? entry.ModifiedNs : entry.ChangedNs) > m.SinceNs)
            changes.push_back(
                {!entry.Folder && !copied && entry.BornNs > m.SinceNs ? "added" : "changed", path});
    }
}

std::vector<Step> AllSteps(const HistoryPlace& place) {
    std::vector<Step> steps;
    const std::vector<Step> index = place.ReadIndex();
    place.Files().WorkStage("Reading the history", static_cast<int>(index.size()));
    for (const Step& listed : index) {
        place.Files().WorkReached(place.StepFile(listed.Number));
        steps.push_back(place.ReadStep(listed.Number));
    }
    return steps;
}

// A damaged or hand-made step never sends the restore outside the installation and the stored
// car folders it names, nor into the history's own records; every change it would take back is
// recorded whole.
void CheckStepPlaces(const ProgramValues& pv, const HistoryPlace& place, const Step& step,
                     KeptLooks& kept) {
    const std::string file = place.StepFile(step.Number);
    history::CheckStepPlaces(place, step, file, pv.AppPath);
    const auto damaged = [&](const std::string& why) {
        return platform::RuntimeError(platform::kPathFileAccessError,
                                      "The history file " + file + " is damaged: " + why);
    };
    for (const StepChange& c : step.Changes) {
        if (c.Kind == StepChange::Type::Path && !c.HasAfter)
            throw damaged("it lacks the state after " + c.Path);
        if (c.Kind == StepChange::Type::Path && c.Before.IsFile() &&
            kept.Of(c.Before.Hash).Kind != platform::FileFacts::Type::File)
            throw damaged("the content it kept of " + c.Path + " is missing");
    }
}

RestorePlan PlanReversal(ProgramValues& pv, std::vector<int> reverse) {
    RestorePlan plan;
    plan.Reverse = std::move(reverse);
    HistoryPlace place(pv);
    plan.Steps = std::make_shared<const std::vector<Step>>(AllSteps(place));
    const std::vector<Step>& steps = *plan.Steps;
    const std::set<int> touching(plan.Reverse.begin(), plan.Reverse.end());
    KeptLooks kept(place);
    for (const Step& step : steps)
        if (touching.count(step.Number)) CheckStepPlaces(pv, place, step, kept);
    const Known known = ExpectedState(steps, touching, place);
    // Everything the reversal will need is looked at before it changes anything.
    ReversalTargets targets;
    for (const auto& [key, e] : known.Paths)
        if (e.Touched) targets.Paths.push_back({e.Path, e.State});
    for (const auto& [key, m] : known.Moved)
        if (m.Touched) targets.Folders.push_back(m.Path);
    std::map<std::string, platform::FileFacts> looked;
    plan.Refusal = CheckReversal(place, steps, touching, targets, kept, &looked);
    if (!plan.Refusal.empty()) return plan;
    NativePaths natives(place.Files());
    const platform::FileSystem& fs = place.Files();
    fs.WorkStage("Checking files", static_cast<int>(targets.Paths.size() + targets.Folders.size()));
    std::vector<HandChange> byHand;
    for (const auto& [key, e] : known.Paths) {
        if (!e.Touched) continue;
        fs.WorkReached(e.Path);
        if (const std::string what = Difference(natives, e, &looked); !what.empty())
            byHand.push_back({what, e.Path});
    }
    plan.ChangedByHand = byHand;
    // A folder moved back: what was changed in it by hand is named where the taking back takes
    // it out of the installation: the folder goes back into the history, or the steps made the
    // folder it lies in, which goes (into the history, with what it holds).
    for (const auto& [key, m] : known.Moved) {
        if (!m.Touched) continue;
        fs.WorkReached(m.Path);
        std::vector<HandChange> inMoved;
        LookInMoved(known, m, place.Files(), inMoved);
        for (HandChange& c : inMoved) {
            const auto folder = known.Paths.find(LowerCase(ParentOf(c.Path)));
            if (m.IntoHistory || (folder != known.Paths.end() && folder->second.Made))
                plan.ChangedByHand.push_back(std::move(c));
        }
    }
    // What it changes is the difference between now and the step it goes back to: the net
    // change of the steps it takes back, and the files changed by hand since that it puts back
    // although those steps left them as they found them.
    std::vector<Step> reversed;
    for (const Step& step : steps)
        if (touching.count(step.Number)) reversed.push_back(step);
    plan.Net = NetChangesOf(reversed, place);
    plan.Count = CountOf(plan.Net);
    std::vector<std::string> named;
    for (const StepChange& c : plan.Net) {
        named.push_back(LowerCase(c.Path));
        if (c.Kind != StepChange::Type::Path) named.push_back(LowerCase(c.To));
    }
    const auto namedAlready = [&](const std::string& path) {
        const std::string key = LowerCase(path);
        return std::any_of(named.begin(), named.end(), [&](const std::string& n) {
            return key == n || (n.size() < key.size() && UnderKey(key, n));
        });
    };
    for (const HandChange& c : byHand) {
        if (namedAlready(c.Path)) continue;
        plan.PutBack.push_back(c);
        if (known.Paths.at(LowerCase(c.Path)).State.IsFolder())
            ++plan.Count.Folders;
        else
            ++plan.Count.Files;
    }
    return plan;
}

// Puts back the files of one group that a step replaced or deleted, as one group: each written
// beside its place, one sync for them all, then the renames (the folders and the kept copies stay
// open until then). A file that holds the bytes already only gets its permissions back.
void PutFilesBack(ProgramValues& pv, platform::FileSystem& fs, const HistoryPlace& place,
                  NativePaths& natives, const std::vector<const StepChange*>& group) {
    using Type = platform::FileFacts::Type;
    platform::PutBackGroup putBack;
    std::vector<std::pair<std::filesystem::path, const StepChange*>> putBackFiles;
    for (const StepChange* c : group) {
        if (!c->Before.IsFile()) continue;
        fs.WorkReached(c->Path);
        const std::filesystem::path native = natives(c->Path);
        const platform::FileFacts now = natives.Facts(c->Path, native);
        const int folder = natives.Folder(c->Path);
        if (now.Kind == Type::Folder)
            throw platform::RuntimeError(platform::kPermissionDenied,
                                         "Cannot put back " + c->Path + ": a folder stands there");
        if (folder < 0)
            throw platform::RuntimeError(platform::kPathNotFound,
                                         "Cannot put back " + c->Path + ": its folder is missing");
        // A file that still looks as the step left it (size, permissions, time) holds other
        // bytes than the ones put back, with no need to read it: were it changed by hand to
        // those very bytes, writing them again loses nothing.
        const bool asLeft = c->HasAfter && c->After.IsFile() && c->After.Hash != c->Before.Hash &&
                            now.Kind == Type::File && now.Size == c->After.Size &&
                            now.Mode == c->After.Mode && now.ModifiedNs == c->After.ModifiedNs;
        if (!asLeft && now.Kind == Type::File && now.Size == c->Before.Size &&
            platform::FastHashOf(native, true, folder) == c->Before.Hash) {
            if (now.Mode != c->Before.Mode) {
                if (pv.Env.Watch)
                    pv.Env.Watch->Before({platform::ChangeKind::Attributes, native, {}, folder});
                platform::SetMode(native, c->Before.Mode, folder);
            }
            continue;
        }
        if (pv.Env.Watch)
            pv.Env.Watch->Before({platform::ChangeKind::WriteFile, native, {}, folder, &now});
        const std::string kept = ContentFile(place, c->Before.Hash);
        platform::PutBackGroup::File file;
        file.KeptFolder = natives.Folder(kept);
        file.Kept = place.ContentOf(c->Before.Hash);
        file.Folder = folder;
        file.Target = native;
        file.Mode = c->Before.Mode;
        file.ModifiedNs = c->Before.ModifiedNs;
        file.Hash = c->Before.Hash;
        file.Shown = c->Path;
        file.Replaces = now.Kind == Type::File;
        file.Group = now.Group;
        putBack.Write(file);
        putBackFiles.emplace_back(native, c);
    }
    putBack.Finish();
    // Their bytes were fingerprinted as they were copied: the step need not read them again.
    if (pv.Env.Watch)
        for (const auto& [native, c] : putBackFiles)
            if (const auto written =
                    platform::WrittenFileAt(native, c->Before.Hash, natives.Folder(c->Path)))
                pv.Env.Watch->Wrote(*written);
}

// Takes back one group of path changes: folders first made again, files put back, then what the
// step made removed (files, then folders from the deepest, each only when empty). Every file and
// folder is reached through its folder opened by `fs`, never through a link.
void ReverseGroup(ProgramValues& pv, platform::FileSystem& fs, const HistoryPlace& place,
                  const std::vector<const StepChange*>& group) {
    NativePaths natives(fs);
    std::vector<const StepChange*> byDepth(group);
    std::sort(byDepth.begin(), byDepth.end(), [](const StepChange* a, const StepChange* b) {
        return a->Path.size() < b->Path.size();
    });
    using Type = platform::FileFacts::Type;
    for (const StepChange* c : byDepth) {
        if (!c->Before.IsFolder()) continue;
        fs.WorkReached(c->Path);
        const std::filesystem::path native = natives(c->Path);
        const platform::FileFacts now = natives.Facts(c->Path, native);
        if (now.Kind == Type::File) fs.DeleteFile(c->Path, true);
        if (now.Kind != Type::Folder) fs.CreateFolder(c->Path);
        platform::SetMode(native, c->Before.Mode, natives.Folder(c->Path));
    }
    PutFilesBack(pv, fs, place, natives, group);
    // The files of one folder go at one go (the folder opened once, not once per file), then
    // the folders from the deepest, each only when empty.
    std::map<std::string, std::vector<std::string>> files;
    std::set<const StepChange*> folders;
    for (const StepChange* c : group) {
        if (!c->Before.IsNone()) continue;
        fs.WorkReached(c->Path);
        const std::filesystem::path native = natives(c->Path);
        const Type kind = natives.Facts(c->Path, native).Kind;
        const std::size_t slash = c->Path.rfind('\\');
        if (kind == Type::File)
            files[c->Path.substr(0, slash < 3 ? slash + 1 : slash)].push_back(
                native.filename().string());
        else if (kind == Type::Folder)
            folders.insert(c);
    }
    for (const auto& [folder, names] : files) fs.DeleteFilesIn(folder, names, true);
    // A folder that holds what someone put there since goes whole into the history the step
    // records (the plan named what is in it); with no step to keep it, it stays.
    for (auto it = byDepth.rbegin(); it != byDepth.rend(); ++it)
        if (folders.count(*it) && (pv.Env.Watch || fs.Entries((*it)->Path, false).empty()))
            fs.DeleteFolder((*it)->Path, true);
}

void NotAsRecorded(const HistoryPlace& place, const Step& step, const std::string& path) {
    throw platform::RuntimeError(platform::kPathFileAccessError,
                                 "The folders are not as the history file " +
                                     place.StepFile(step.Number) + " says: " + path +
                                     " is not where that step left it. Nothing more was changed.");
}

// The crossed steps by number, where several are taken back as one (CrossedSteps.h).
using Origins = std::map<int, const Step*>;

void ReverseStep(ProgramValues& pv, const HistoryPlace& place, const Step& step,
                 const Origins& origins = {}) {
    // The step a change came from: its marks' tokens, its file named when the folders differ.
    const auto origin = [&](const StepChange& c) -> const Step& {
        const auto found = origins.find(c.Origin);
        return found == origins.end() ? step : *found->second;
    };
    // No link is followed below the installation nor below the stored car folders of the step.
    platform::FileSystem fs = pv.Files();
    for (const std::string& root : step.Roots) fs.GuardStoredBelow(root);
    std::vector<const StepChange*> group;
    const auto flush = [&] {
        std::reverse(group.begin(), group.end());
        if (!group.empty()) ReverseGroup(pv, fs, place, group);
        group.clear();
    };
    for (auto it = step.Changes.rbegin(); it != step.Changes.rend(); ++it) {
        const StepChange& c = *it;
        if (c.Kind == StepChange::Type::Path) {
            group.push_back(&c);
            continue;
        }
        flush();
        fs.WorkReached(c.Path);
        const std::string from = c.Kind == StepChange::Type::Kept ? place.KeptPath(c.To) : c.To;
        // The place of a stored car folder moved is marked first, so that it stays known as the
        // swap's own whenever the work stops.
        const Step& madeBy = origin(c);
        for (const std::string& at : {c.Path, c.To})
            if (const auto token = madeBy.RootTokens.find(at); token != madeBy.RootTokens.end())
                MarkStoredFolder(fs, at, token->second);
        switch (c.Kind) {
            case StepChange::Type::Move:
            case StepChange::Type::Kept:
                if (fs.FolderExists(from) && fs.KindAt(c.Path).empty()) {
                    fs.MoveFolder(from, c.Path);
                } else if (!(fs.FolderExists(c.Path) && fs.KindAt(from).empty())) {
                    NotAsRecorded(place, madeBy, fs.FolderExists(from) ? c.Path : from);
                }
                break;
            case StepChange::Type::Exchange:
                if (!fs.FolderExists(c.Path) || !fs.FolderExists(c.To))
                    NotAsRecorded(place, madeBy, fs.FolderExists(c.Path) ? c.To : c.Path);
                if (!fs.ExchangeFolders(c.Path, c.To)) {
                    const std::string aside = c.Path + ".movrand-exchange";
                    fs.MoveFolder(c.Path, aside);
                    fs.MoveFolder(c.To, c.Path);
                    fs.MoveFolder(aside, c.To);
                }
                break;
            case StepChange::Type::Path:
                break;
        }
    }
    flush();
}

// Every one of them, one a line: the question window scrolls a long list.
std::string Joined(const std::vector<HandChange>& changes) {
    std::string text;
    for (const HandChange& c : changes) text += "\r\n" + c.What + ": " + c.Path;
    return text;
}

}  // namespace

std::vector<HandChange> VerifyInstallation(ProgramValues& pv) {
    HistoryPlace place(pv);
    std::vector<HandChange> changes;
    if (!place.Exists()) return changes;
    NativePaths natives(place.Files());
    const std::vector<Step> steps = AllSteps(place);
    // Nothing outside the installation and its stored car folders is looked at.
    KeptLooks kept(place);
    for (const Step& step : steps) CheckStepPlaces(pv, place, step, kept);
    const Known known = ExpectedState(steps, {}, place);
    const platform::FileSystem& fs = place.Files();
    fs.WorkStage("Checking files", static_cast<int>(known.Paths.size() + known.Moved.size()));
    for (const auto& [key, e] : known.Paths) {
        fs.WorkReached(e.Path);
        if (const std::string what = Difference(natives, e); !what.empty())
            changes.push_back({what, e.Path});
    }
    for (const auto& [key, m] : known.Moved) {
        fs.WorkReached(m.Path);
        LookInMoved(known, m, fs, changes);
    }
    return changes;
}

RestorePlan PlanRestore(ProgramValues& pv, int step) {
    HistoryPlace place(pv);
    const std::vector<Step> index = place.Exists() ? place.ReadIndex() : std::vector<Step>{};
    const int latest = index.empty() ? place.FirstKept() - 1 : index.back().Number;
    RestorePlan plan;
    if (step < 0 || step > latest) {
        plan.Refusal = "There is no step " + std::to_string(step) + " in the history.";
    } else if (step < place.FirstKept() - 1) {
        plan.Refusal = "Step " + std::to_string(step) +
                       " cannot be restored: the steps before step " +
                       std::to_string(place.FirstKept()) + " have been forgotten.";
    } else if (step == latest) {
        plan.Refusal = "The installation is at step " + std::to_string(step) + " already.";
    }
    if (!plan.Refusal.empty()) return plan;
    // The newest step restored to this one, and nothing was changed since: nothing to do.
    const std::string summary = "Restored to step " + std::to_string(step);
    if (index.back().Summary == summary && VerifyInstallation(pv).empty()) {
        plan.Refusal = "The installation is already as it was at step " + std::to_string(step) +
                       ": nothing was changed.";
        return plan;
    }
    std::vector<int> reverse;
    for (auto it = index.rbegin(); it != index.rend() && it->Number > step; ++it)
        reverse.push_back(it->Number);
    plan = PlanReversal(pv, reverse);
    plan.Summary = summary;
    return plan;
}

RestorePlan PlanUndo(ProgramValues& pv) {
    HistoryPlace place(pv);
    const std::vector<Step> index = place.Exists() ? place.ReadIndex() : std::vector<Step>{};
    std::set<int> undone;
    for (const Step& step : index) undone.insert(step.Undoes.begin(), step.Undoes.end());
    for (auto it = index.rbegin(); it != index.rend(); ++it) {
        if (it->IsUndo || undone.count(it->Number)) continue;
        RestorePlan plan = PlanReversal(pv, {it->Number});
        plan.Summary = "Undid step " + std::to_string(it->Number);
        plan.Undoes = {it->Number};
        plan.IsUndo = true;
        return plan;
    }
    RestorePlan none;
    none.Refusal = "There is no step to undo.";
    return none;
}

void TakeBackStep(ProgramValues& pv, const HistoryPlace& place, const Step& step) {
    place.Files().WorkStage("Restoring files", static_cast<int>(step.Changes.size()));
    ReverseStep(pv, place, step);
}

namespace {

// What one walk back left: the step that records it, and the failure that stopped it.
struct Walked {
    int Step = 0;
    std::optional<platform::RuntimeError> Failure;
};

// Takes the plan's steps back as one step. A failure part way stops it: what ran is then
// recorded as a step of its own that marks nothing as taken back (it is only a part). `read`:
// the history's steps as the plan read them (read again where not given).
Walked Walk(ProgramValues& pv, platform::Ui& ui, HistoryPlace& place, const RestorePlan& plan,
            const std::vector<Step>* read) {
    Walked walked;
    const int number = place.NextNumber();
    std::optional<HistoryStep> step;
    try {
        step.emplace(pv, plan.Summary, &ui, HistoryStep::Restoring{});
        step->MarkUndoOf(plan.Undoes, plan.IsUndo);
        std::vector<Step> reversed;
        for (const int n : plan.Reverse) {
            const Step* found = nullptr;
            if (read)
                for (const Step& s : *read)
                    if (s.Number == n) found = &s;
            reversed.push_back(found ? *found : place.ReadStep(n));
        }
        // The recorder knows the files those steps left by their look from the same reading.
        if (read) step->KnowSteps(*read);
        // The stored car folders those steps reached are this step's too, each named with a
        // token its mark holds: a swap that only copied from a folder names it with a token of
        // its own that marks nothing there.
        std::vector<std::string> roots;
        std::map<std::string, std::string> tokens;
        for (const Step& taken : reversed)
            for (const std::string& root : taken.Roots) {
                const auto token = taken.RootTokens.find(root);
                const std::string named = token == taken.RootTokens.end() ? "" : token->second;
                const auto [at, first] = tokens.emplace(root, named);
                if (first)
                    roots.push_back(root);
                else if (!IsMarkedStored(place.Files(), root, at->second) &&
                         IsMarkedStored(place.Files(), root, named))
                    at->second = named;
            }
        for (const std::string& root : roots) step->AddRoot(root, tokens[root]);
        // Many steps are taken back as one, by what differs between now and where they began:
        // a file the steps changed again and again is put back once, a folder moved and moved
        // back is not moved, and each group of files waits for the disk once, not once a step.
        if (const std::optional<Step> net = CrossedAsOne(reversed, place)) {
            Origins origins;
            for (const Step& taken : reversed) origins[taken.Number] = &taken;
            place.Files().WorkStage("Restoring files", static_cast<int>(net->Changes.size()));
            ReverseStep(pv, place, *net, origins);
        } else {
            std::size_t changes = 0;
            for (const Step& taken : reversed) changes += taken.Changes.size();
            place.Files().WorkStage("Restoring files", static_cast<int>(changes));
            for (const Step& taken : reversed) ReverseStep(pv, place, taken);
        }
        // What was put back is on the disk before the step that records it.
        place.Files().SyncDisk(place.Installation());
        walked.Step = step->Commit();
        return walked;
    } catch (const platform::RuntimeError& error) {
        walked.Failure = error;
    }
    if (step && step->Recording()) {
        step->SetSummary(plan.Summary + " (failed part way)");
        step->MarkUndoOf({}, false);
        walked.Step = step->Commit();
        return walked;
    }
    // Stopped while its step was being written: the step's own journal holds what ran.
    walked.Step = SettleCutRestore(place);
    if (!walked.Step)
        for (const Step& listed : place.ReadIndex())
            if (listed.Number == number) walked.Step = number;
    return walked;
}

// A walk back that failed part way: what it changed is taken back again, so the installation
// is as it was before it began, and its journal goes. Where even that cannot be done, the
// journal stays and the player is told how to get out.
RestoreResult TakeBack(ProgramValues& pv, platform::Ui& ui, HistoryPlace& place,
                       const RestorePlan& plan, const Walked& walked, bool settling) {
    RestoreResult result;
    result.Outcome = RestoreOutcome::Failed;
    result.Message = std::string(plan.IsUndo ? "The undo" : "The restore") +
                     " could not be finished: " + walked.Failure->Description();
    if (!walked.Step) {
        place.Files().DeleteFile(place.RestoreJournal(), true);
        result.Message += " Nothing was changed.";
        return result;
    }
    const std::string part = "What it had changed (step " + std::to_string(walked.Step) + ")";
    RestorePlan back;
    try {
        back = PlanReversal(pv, {walked.Step});
    } catch (const platform::RuntimeError& error) {
        back.Refusal = error.Description();
    }
    if (back.Refusal.empty()) {
        back.Summary = "Undid step " + std::to_string(walked.Step);
        back.Undoes = {walked.Step};
        back.IsUndo = true;
        WriteJournal(place, {true, back.Summary, place.NextNumber(), back.Reverse, back.Undoes});
        const Walked again = Walk(pv, ui, place, back, back.Steps.get());
        if (!again.Failure) {
            place.Files().DeleteFile(place.RestoreJournal(), true);
            result.Step = again.Step;
            result.Message += " " + part + " has been taken back (step " +
                              std::to_string(again.Step) +
                              "): the installation is as it was before.";
            return result;
        }
        result.Message +=
            " " + part + " could not be taken back either: " + again.Failure->Description();
    } else {
        result.Message += " " + part + " cannot be taken back: " + back.Refusal;
    }
    if (!settling) result.Message += " " + StandingText(place) + ". " + AbandonWayOut();
    return result;
}

RestoreResult CarryOutPlan(ProgramValues& pv, platform::Ui& ui, const RestorePlan& plan,
                           bool askFirst, bool settling) {
    RestoreResult result;
    if (!plan.Refusal.empty()) {
        result.Outcome = RestoreOutcome::Refused;
        result.Message = plan.Refusal;
        return result;
    }
    HistoryPlace place(pv);
    if (!settling && RestoreStands(place)) {
        result.Outcome = RestoreOutcome::Refused;
        result.Message = StandingText(place) + ": it must be closed first. " + AbandonWayOut();
        return result;
    }
    if (!settling) {
        result.Message = DamagedPendingRefusal(place);
        if (!result.Message.empty()) {
            result.Outcome = RestoreOutcome::Refused;
            return result;
        }
    }
    // Looked at again now: a file may have been changed while the player read the question.
    std::vector<HandChange> changedByHand = plan.ChangedByHand;
    std::shared_ptr<const std::vector<Step>> read = plan.Steps;
    if (askFirst && !plan.JustMade) {
        RestorePlan now = PlanReversal(pv, plan.Reverse);
        if (!now.Refusal.empty()) {
            result.Outcome = RestoreOutcome::Refused;
            result.Message = now.Refusal;
            return result;
        }
        changedByHand = std::move(now.ChangedByHand);
        read = std::move(now.Steps);
    }
    if (askFirst && !changedByHand.empty()) {
        const std::string question = std::to_string(changedByHand.size()) +
                                     " file(s) were changed since Movrand last touched them, and " +
                                     (plan.IsUndo ? "the undo" : "the restore") +
                                     " would overwrite or delete them:" + Joined(changedByHand) +
                                     "\r\n\r\nGo ahead? What they hold now is kept in the history.";
        platform::Question asked;
        asked.Message = question;
        if (!ui.AskYesNo(asked)) {
            result.Outcome = RestoreOutcome::Declined;
            return result;
        }
    }
    place.Create();
    // The journal names what was asked and the step that records it, so that a cut is finished
    // at the next start.
    WriteJournal(place, {plan.IsUndo, plan.Summary, place.NextNumber(), plan.Reverse, plan.Undoes});
    const Walked walked = Walk(pv, ui, place, plan, read.get());
    if (walked.Failure) return TakeBack(pv, ui, place, plan, walked, settling);
    result.Step = walked.Step;
    place.Files().DeleteFile(place.RestoreJournal(), true);
    result.Outcome = RestoreOutcome::Done;
    return result;
}

// A restore or undo that cannot be finished: the player hears what stands and how to get out,
// and in the window is offered the way out at once.
void TellStanding(HistoryPlace& place, platform::Ui& ui, const std::string& reason,
                  StandingRestore standing) {
    const bool stop = !reason.empty() && reason.back() == '.';
    const std::string told =
        StandingText(place) + " and cannot be finished: " + reason + (stop ? "" : ".");
    if (standing == StandingRestore::Tell) {
        ui.ShowMessage(told + " Until it is closed, nothing can be changed. " + AbandonWayOut());
        return;
    }
    platform::Question asked;
    asked.Message = told +
                    "\r\n\r\nLeave the game as it is and close it? What it changed stays, "
                    "recorded as a step of its own. Until it is closed, nothing can be changed.";
    if (!ui.AskYesNo(asked)) return;
    std::string setAside;
    const int part = AbandonRestore(place, &setAside);
    ui.ShowMessage(AbandonedText(part, setAside));
}

// The record of a step a run cut short that cannot be settled: the player hears what stands and
// how to get out, and in the window is offered to set it aside at once.
void TellDamagedPending(HistoryPlace& place, platform::Ui& ui, const std::string& reason,
                        StandingRestore standing) {
    const std::string told = reason + (!reason.empty() && reason.back() == '.' ? "" : ".");
    if (standing == StandingRestore::Tell) {
        ui.ShowMessage(told + " Until it is set aside, nothing can be changed. " +
                       DamagedPendingWayOut());
        return;
    }
    platform::Question asked;
    asked.Message = told +
                    "\r\n\r\nSet it aside and leave the game as it is? It is kept in the history; "
                    "what that run changed stays as it is. Until it is set aside, nothing can be "
                    "changed.";
    if (!ui.AskYesNo(asked)) return;
    ui.ShowMessage(DamagedPendingSetAsideText(SetDamagedPendingAside(place)));
}

// A lost or damaged index is no empty history: it is rebuilt from the step files.
void RebuildLostIndex(HistoryPlace& place, platform::Ui& ui) {
    std::string lost;
    if (place.IndexLost()) {
        lost = "missing";
    } else {
        try {
            place.ReadIndex();
        } catch (const platform::RuntimeError&) {
            lost = "damaged";
        }
    }
    if (lost.empty()) return;
    const int listed = place.RepairIndex();
    ui.ShowMessage("The history index " + place.Index() + " was " + lost +
                   ", so it has been rebuilt from its " + std::to_string(listed) +
                   " step file(s).");
}

}  // namespace

RestoreResult CarryOut(ProgramValues& pv, platform::Ui& ui, const RestorePlan& plan,
                       bool askFirst) {
    return CarryOutPlan(pv, ui, plan, askFirst, false);
}

void SettleHistory(ProgramValues& pv, platform::Ui& ui, StandingRestore standing) {
    HistoryPlace place(pv);
    try {
        if (!place.Exists()) return;
    } catch (const platform::RuntimeError& error) {
        // A history that cannot be looked at (another user's, a link in its place) is named,
        // and what needs no history still runs: each use of the history refuses by that name.
        ui.ShowMessage(error.Description() + ".");
        return;
    }
    RebuildLostIndex(place, ui);
    if (!RestoreStands(place)) {
        if (const std::string damaged = DamagedPendingStep(place); !damaged.empty())
            return TellDamagedPending(place, ui, damaged, standing);
        SettlePendingStep(place);
        return;
    }
    int cut = 0;
    try {
        cut = SettleCutRestore(place);
    } catch (const platform::RuntimeError& error) {
        // The record of the part that ran is damaged: abandoning sets it aside.
        return TellStanding(place, ui, error.Description(), standing);
    }
    std::string text;
    std::string reason;
    RestoreJournal journal;
    try {
        text = place.ReadRecord(place.RestoreJournal());
        journal = ParseJournal(text, place.RestoreJournal());
    } catch (const platform::RuntimeError& error) {
        reason = error.Description();
    }
    if (!reason.empty()) return TellStanding(place, ui, reason, standing);
    // A restore stopped by a failure recorded the part that ran as its step.
    if (!cut)
        for (const Step& listed : place.ReadIndex())
            if (listed.Number == journal.RecordedAs) cut = journal.RecordedAs;
    // The part that ran is taken back with the rest, and marked as taken back.
    if (cut) {
        journal.Reverse.insert(journal.Reverse.begin(), cut);
        journal.Undoes.push_back(cut);
    }
    RestorePlan settled;
    try {
        settled = PlanReversal(pv, journal.Reverse);
    } catch (const platform::RuntimeError& error) {
        settled.Refusal = error.Description();
    }
    if (!settled.Refusal.empty()) return TellStanding(place, ui, settled.Refusal, standing);
    settled.Summary = journal.Summary;
    settled.Undoes = journal.Undoes;
    settled.IsUndo = journal.IsUndo;
    // Files changed by hand since (or a record that is not the one a restore wrote) are named
    // and asked about, as for any restore; on a no, what ran stays its own step.
    const RestoreResult result = CarryOutPlan(pv, ui, settled, true, true);
    if (result.Outcome == RestoreOutcome::Done) return;
    if (result.Outcome == RestoreOutcome::Declined) {
        place.Files().DeleteFile(place.RestoreJournal(), true);
        ui.ShowMessage(
            std::string(journal.IsUndo ? "An undo" : "A restore") +
            " that was cut short has not been finished." +
            (cut ? " What it did before the cut is step " + std::to_string(cut) + "." : ""));
        return;
    }
    // The settling failed and what it did was taken back: the restore stands as it stood.
    if (!RestoreStands(place)) {
        place.Files().WriteWholeFile(place.RestoreJournal(), text);
        place.Share(place.RestoreJournal());
    }
    TellStanding(place, ui, result.Message, standing);
}

}  // namespace movrand::history
