// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryRestore.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

#include "history/ChangeRecorder.h"
#include "history/HistoryPlace.h"
#include "history/HistorySettling.h"
#include "history/HistoryStep.h"
#include "platform/FileKeeping.h"
#include "platform/FileSystemErrors.h"
#include "platform/FolderWalk.h"
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

// What the history knows should be on the disk now.
struct Known {
    ExpectedMap Paths;
    std::map<std::string, MovedFolder> Moved;
    std::map<std::string, EntriesChanged> Entries;
    std::vector<std::string> KeptBack;  // kept folders the steps being taken back bring back
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
    // What is known at and under a folder, taken out to be put under another.
    struct Taken {
        std::vector<Expected> Paths;
        std::vector<MovedFolder> Moved;
        std::vector<EntriesChanged> Entries;
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
                    takeAll(c.Path);
                    if (touched) known.KeptBack.push_back(place.KeptPath(c.To));
                    break;
            }
        }
    }
    return known;
}

// Native paths of many files in few folders: each folder resolved once, each file under the
// name the history recorded (as the disk had it), with no listing of its folder per file.
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
    // What is at `path` (its native path `native`) now, looked at by its name in its folder,
    // which is held open after the first look: no walk of the whole path for each file.
    platform::FileFacts Facts(const std::string& path, const std::filesystem::path& native) {
        const std::size_t slash = path.rfind('\\');
        if (slash == std::string::npos || slash < 3) return platform::FactsOf(native);
        const std::string key = LowerCase(path.substr(0, slash));
        auto found = held_.find(key);
        if (found == held_.end()) {
            platform::Descriptor folder;
            try {
                folder = platform::OpenFolderByPath(native.parent_path(), path.substr(0, slash));
            } catch (const platform::RuntimeError&) {
                // Missing, or a link: looked at by the whole path, as before.
            }
            found = held_.emplace(key, std::move(folder)).first;
        }
        return platform::FactsOf(native, found->second.Get());
    }

  private:
    const platform::FileSystem& fs_;
    std::map<std::string, std::filesystem::path> folders_;
    std::map<std::string, platform::Descriptor> held_;
};

// How the disk differs from what the history expects: "" when it does not.
std::string Difference(NativePaths& natives, const Expected& e) {
    const std::filesystem::path native = natives(e.Path);
    const platform::FileFacts facts = natives.Facts(e.Path, native);
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
    return platform::FastHashOf(native) == e.State.Hash ? "" : "changed";
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
// file. `files`, when given, receives each file found; `changes`, when given, what someone
// else changed since: a file changed or added after the step ended, a folder whose files were
// added or deleted after the steps last changed them.
void LookInMoved(const Known& known, const MovedFolder& m, const platform::FileSystem& fs,
                 std::vector<HandChange>* changes, std::set<std::string>* files) {
    if (!m.SinceNs) changes = nullptr;  // a step of an older history: not known
    const auto entriesSince = [&](const std::string& key) {
        const auto e = known.Entries.find(key);
        return std::max(m.SinceNs, e == known.Entries.end() ? 0 : e->second.Ns);
    };
    const std::filesystem::path native = fs.Native(m.Path);
    const platform::FileFacts root = platform::FactsOf(native);
    const std::string rootKey = LowerCase(m.Path);
    if (root.Kind != platform::FileFacts::Type::Folder) {
        if (changes)
            changes->push_back(
                {root.Kind == platform::FileFacts::Type::None ? "missing" : "changed", m.Path});
        return;
    }
    if (changes && root.ModifiedNs > entriesSince(rootKey)) changes->push_back({"changed", m.Path});
    for (const platform::WalkedEntry& entry : platform::WalkFolder(native)) {
        const std::string path = m.Path + "\\" + entry.Name;
        const std::string key = LowerCase(path);
        if (files && !entry.Folder) files->insert(key);
        if (!changes || known.Paths.count(key) || InOtherMoved(known, key, rootKey)) continue;
        if (entry.Folder ? entry.ModifiedNs > entriesSince(key) : entry.ChangedNs > m.SinceNs)
            changes->push_back(
                {!entry.Folder && entry.BornNs > m.SinceNs ? "added" : "changed", path});
    }
}

std::vector<Step> AllSteps(const HistoryPlace& place) {
    std::vector<Step> steps;
    for (const Step& listed : place.ReadIndex()) steps.push_back(place.ReadStep(listed.Number));
    return steps;
}

// A damaged or hand-made step never sends the restore outside the installation and the stored
// car folders it names, nor into the history's own records.
void CheckStepPlaces(const ProgramValues& pv, const HistoryPlace& place, const Step& step) {
    const platform::FileSystem& fs = place.Files();
    const std::string file = place.StepFile(step.Number);
    const auto damaged = [&](const std::string& why) {
        return platform::RuntimeError(platform::kPathFileAccessError,
                                      "The history file " + file + " is damaged: " + why);
    };
    for (const std::string& root : step.Roots) {
        const bool driveRoot = platform::WindowsPath::Parse(root).Components.empty();
        if (driveRoot || fs.IsWithin(place.Installation(), root) ||
            fs.IsWithin(root, place.Installation()) ||
            (!pv.AppPath.empty() &&
             (fs.IsWithin(pv.AppPath, root) || fs.IsWithin(root, pv.AppPath))))
            throw damaged("it names " + root + " as a stored car folder");
    }
    // By name, without regard to case: a step's path names no "." or ".." and no link is
    // followed below the installation (the file-system service opens nothing through one).
    const auto within = [](const platform::WindowsPath& path, const std::string& folder) {
        const platform::WindowsPath outer = platform::WindowsPath::Parse(folder);
        if (path.DriveLetter == 0 ||
            std::toupper(path.DriveLetter) != std::toupper(outer.DriveLetter) ||
            path.Components.size() < outer.Components.size())
            return false;
        for (std::size_t i = 0; i < outer.Components.size(); ++i)
            if (!platform::EqualsNoCase(path.Components[i], outer.Components[i])) return false;
        return true;
    };
    const auto allowed = [&](const std::string& text, bool keptToo) {
        const platform::WindowsPath path = platform::WindowsPath::Parse(text);
        for (const std::string& part : path.Components)
            if (part.empty() || part == "." || part == "..") return false;
        if (within(path, place.Folder()))
            return keptToo && within(path, place.KeptFolder()) &&
                   path.Components.size() >
                       platform::WindowsPath::Parse(place.KeptFolder()).Components.size();
        if (within(path, place.Installation()))
            return path.Components.size() >
                   platform::WindowsPath::Parse(place.Installation()).Components.size();
        for (const std::string& root : step.Roots) {
            if (within(path, root)) return true;
            platform::WindowsPath parent = platform::WindowsPath::Parse(root);
            const std::string name = parent.Components.back();
            parent.Components.pop_back();
            if (path.Components.size() > parent.Components.size() && within(path, parent.Text()) &&
                LowerCase(path.Components[parent.Components.size()])
                        .rfind(LowerCase(name) + ".movrand-", 0) == 0)
                return true;
        }
        return false;
    };
    for (const StepChange& c : step.Changes) {
        const bool moving =
            c.Kind == StepChange::Type::Move || c.Kind == StepChange::Type::Exchange;
        if (!allowed(c.Path, moving))
            throw damaged("it names " + c.Path + ", outside the installation");
        if (moving && !allowed(c.To, true))
            throw damaged("it names " + c.To + ", outside the installation");
        if (c.Kind == StepChange::Type::Path && !c.HasAfter)
            throw damaged("it lacks the state after " + c.Path);
        if (c.Kind == StepChange::Type::Path && c.Before.IsFile() &&
            platform::FactsOf(place.ContentOf(c.Before.Hash)).Kind !=
                platform::FileFacts::Type::File)
            throw damaged("the content it kept of " + c.Path + " is missing");
    }
}

RestorePlan PlanReversal(ProgramValues& pv, std::vector<int> reverse) {
    RestorePlan plan;
    plan.Reverse = std::move(reverse);
    HistoryPlace place(pv);
    const std::vector<Step> steps = AllSteps(place);
    const std::set<int> touching(plan.Reverse.begin(), plan.Reverse.end());
    for (const Step& step : steps)
        if (touching.count(step.Number)) CheckStepPlaces(pv, place, step);
    const Known known = ExpectedState(steps, touching, place);
    NativePaths natives(place.Files());
    std::set<std::string> changing;
    for (const auto& [key, e] : known.Paths) {
        if (!e.Touched) continue;
        changing.insert(key);
        if (const std::string what = Difference(natives, e); !what.empty())
            plan.ChangedByHand.push_back({what, e.Path});
    }
    // A folder moved back counts its files. What was changed in it by hand is named where the
    // taking back takes it out of the installation: the folder goes back into the history, or
    // the steps made the folder it lies in, which goes (into the history, with what it holds).
    for (const auto& [key, m] : known.Moved) {
        if (!m.Touched) continue;
        std::vector<HandChange> inMoved;
        LookInMoved(known, m, place.Files(), &inMoved, &changing);
        for (HandChange& c : inMoved) {
            const auto folder = known.Paths.find(LowerCase(ParentOf(c.Path)));
            if (m.IntoHistory || (folder != known.Paths.end() && folder->second.Made))
                plan.ChangedByHand.push_back(std::move(c));
        }
    }
    for (const std::string& kept : known.KeptBack)
        for (const platform::WalkedEntry& entry : platform::WalkFolder(place.Native(kept)))
            if (!entry.Folder) changing.insert(LowerCase(kept + "\\" + entry.Name));
    plan.Paths = changing.size();
    return plan;
}

// Takes back one group of path changes: folders first made again, files put back, then what the
// step made removed (files, then folders from the deepest, each only when empty).
void ReverseGroup(ProgramValues& pv, const HistoryPlace& place,
                  const std::vector<const StepChange*>& group) {
    platform::FileSystem fs = pv.Files();
    NativePaths natives(fs);
    std::vector<const StepChange*> byDepth(group);
    std::sort(byDepth.begin(), byDepth.end(), [](const StepChange* a, const StepChange* b) {
        return a->Path.size() < b->Path.size();
    });
    using Type = platform::FileFacts::Type;
    for (const StepChange* c : byDepth) {
        if (!c->Before.IsFolder()) continue;
        const platform::FileFacts now = platform::FactsOf(natives(c->Path));
        if (now.Kind == Type::File) fs.DeleteFile(c->Path, true);
        if (now.Kind != Type::Folder) fs.CreateFolder(c->Path);
        platform::SetMode(natives(c->Path), c->Before.Mode);
    }
    for (const StepChange* c : group) {
        if (!c->Before.IsFile()) continue;
        const std::filesystem::path native = natives(c->Path);
        const platform::FileFacts now = platform::FactsOf(native);
        if (now.Kind == Type::Folder)
            throw platform::RuntimeError(platform::kPermissionDenied,
                                         "Cannot put back " + c->Path + ": a folder stands there");
        if (now.Kind == Type::File && now.Size == c->Before.Size &&
            platform::FastHashOf(native) == c->Before.Hash) {
            if (now.Mode != c->Before.Mode) {
                if (pv.Env.Watch)
                    pv.Env.Watch->Before({platform::ChangeKind::Attributes, native, {}});
                platform::SetMode(native, c->Before.Mode);
            }
            continue;
        }
        if (pv.Env.Watch) pv.Env.Watch->Before({platform::ChangeKind::WriteFile, native, {}});
        platform::PutBackFile(place.ContentOf(c->Before.Hash), native, c->Before.Mode,
                              c->Before.ModifiedNs, c->Before.Hash, c->Path, false);
    }
    // The files of one folder go at one go (the folder opened once, not once per file), then
    // the folders from the deepest, each only when empty.
    std::map<std::string, std::vector<std::string>> files;
    std::set<const StepChange*> folders;
    for (const StepChange* c : group) {
        if (!c->Before.IsNone()) continue;
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

void ReverseStep(ProgramValues& pv, const HistoryPlace& place, const Step& step) {
    platform::FileSystem fs = pv.Files();
    std::vector<const StepChange*> group;
    const auto flush = [&] {
        std::reverse(group.begin(), group.end());
        if (!group.empty()) ReverseGroup(pv, place, group);
        group.clear();
    };
    for (auto it = step.Changes.rbegin(); it != step.Changes.rend(); ++it) {
        const StepChange& c = *it;
        if (c.Kind == StepChange::Type::Path) {
            group.push_back(&c);
            continue;
        }
        flush();
        const std::string from = c.Kind == StepChange::Type::Kept ? place.KeptPath(c.To) : c.To;
        switch (c.Kind) {
            case StepChange::Type::Move:
            case StepChange::Type::Kept:
                if (fs.FolderExists(from) && fs.KindAt(c.Path).empty()) {
                    fs.MoveFolder(from, c.Path);
                } else if (!(fs.FolderExists(c.Path) && fs.KindAt(from).empty())) {
                    NotAsRecorded(place, step, fs.FolderExists(from) ? c.Path : from);
                }
                break;
            case StepChange::Type::Exchange:
                if (!fs.FolderExists(c.Path) || !fs.FolderExists(c.To))
                    NotAsRecorded(place, step, fs.FolderExists(c.Path) ? c.To : c.Path);
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

std::string Joined(const std::vector<HandChange>& changes) {
    std::string text;
    std::size_t shown = 0;
    for (const HandChange& c : changes) {
        if (++shown > 20) {
            text += "\r\n... and " + std::to_string(changes.size() - 20) + " more";
            break;
        }
        text += "\r\n" + c.What + ": " + c.Path;
    }
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
    for (const Step& step : steps) CheckStepPlaces(pv, place, step);
    const Known known = ExpectedState(steps, {}, place);
    for (const auto& [key, e] : known.Paths)
        if (const std::string what = Difference(natives, e); !what.empty())
            changes.push_back({what, e.Path});
    for (const auto& [key, m] : known.Moved)
        LookInMoved(known, m, place.Files(), &changes, nullptr);
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
    ReverseStep(pv, place, step);
}

RestoreResult CarryOut(ProgramValues& pv, platform::Ui& ui, const RestorePlan& plan,
                       bool askFirst) {
    RestoreResult result;
    if (!plan.Refusal.empty()) {
        result.Outcome = RestoreOutcome::Refused;
        result.Message = plan.Refusal;
        return result;
    }
    // Looked at again now: a file may have been changed while the player read the question.
    const std::vector<HandChange> changedByHand = askFirst && !plan.JustMade
                                                      ? PlanReversal(pv, plan.Reverse).ChangedByHand
                                                      : plan.ChangedByHand;
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
    HistoryPlace place(pv);
    place.Create();
    // The journal names what was asked and the step that records it, so that a cut is finished
    // at the next start.
    std::string journal = std::string(plan.IsUndo ? "undo" : "restore") + "\t" + plan.Summary +
                          "\nstep\t" + std::to_string(place.NextNumber()) + "\n";
    for (const int n : plan.Reverse) journal += "reverse\t" + std::to_string(n) + "\n";
    for (const int n : plan.Undoes) journal += "undoes\t" + std::to_string(n) + "\n";
    place.Files().WriteWholeFile(place.RestoreJournal(), journal);
    place.Share(place.RestoreJournal());
    {
        HistoryStep step(pv, plan.Summary, &ui);
        step.MarkUndoOf(plan.Undoes, plan.IsUndo);
        std::vector<Step> reversed;
        for (const int n : plan.Reverse) reversed.push_back(place.ReadStep(n));
        // The stored car folders those steps reached are this step's too.
        for (const Step& taken : reversed)
            for (const std::string& root : taken.Roots) step.AddRoot(root);
        for (const Step& taken : reversed) ReverseStep(pv, place, taken);
        // What was put back is on the disk before the step that records it.
        place.Files().SyncDisk(place.Installation());
        result.Step = step.Commit();
    }
    place.Files().DeleteFile(place.RestoreJournal(), true);
    result.Outcome = RestoreOutcome::Done;
    return result;
}

void SettleHistory(ProgramValues& pv, platform::Ui& ui) {
    HistoryPlace place(pv);
    if (!place.Exists()) return;
    // A lost or damaged index is no empty history: it is rebuilt from the step files.
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
    if (!lost.empty()) {
        const int listed = place.RepairIndex();
        ui.ShowMessage("The history index " + place.Index() + " was " + lost +
                       ", so it has been rebuilt from its " + std::to_string(listed) +
                       " step file(s).");
    }
    int cut = SettlePendingStep(place);
    platform::FileSystem& fs = place.Files();
    if (!fs.FileExists(place.RestoreJournal())) return;
    RestorePlan plan;
    int recordedAs = 0;
    std::istringstream in(place.ReadRecord(place.RestoreJournal()));
    for (std::string line; std::getline(in, line);) {
        const std::size_t tab = line.find('\t');
        const std::string key = line.substr(0, tab);
        const std::string value = tab == std::string::npos ? "" : line.substr(tab + 1);
        try {
            if (key == "undo" || key == "restore") {
                plan.IsUndo = key == "undo";
                plan.Summary = value;
            } else if (key == "step") {
                recordedAs = std::stoi(value);
            } else if (key == "reverse" || key == "undoes") {
                (key == "reverse" ? plan.Reverse : plan.Undoes).push_back(std::stoi(value));
            }
        } catch (const std::exception&) {
            throw platform::RuntimeError(
                platform::kPathFileAccessError,
                "The history file " + place.RestoreJournal() + " is damaged");
        }
    }
    // A restore stopped by a failure recorded the part that ran as its step.
    if (!cut)
        for (const Step& listed : place.ReadIndex())
            if (listed.Number == recordedAs) cut = recordedAs;
    // The part that ran is taken back with the rest, and marked as taken back.
    if (cut) {
        plan.Reverse.insert(plan.Reverse.begin(), cut);
        plan.Undoes.push_back(cut);
    }
    RestorePlan settled = PlanReversal(pv, plan.Reverse);
    settled.Summary = plan.Summary;
    settled.Undoes = plan.Undoes;
    settled.IsUndo = plan.IsUndo;
    // Files changed by hand since (or a record that is not the one a restore wrote) are named
    // and asked about, as for any restore; on a no, what ran stays its own step.
    if (CarryOut(pv, ui, settled).Outcome != RestoreOutcome::Declined) return;
    fs.DeleteFile(place.RestoreJournal(), true);
    ui.ShowMessage(std::string(plan.IsUndo ? "An undo" : "A restore") +
                   " that was cut short has not been finished." +
                   (cut ? " What it did before the cut is step " + std::to_string(cut) + "." : ""));
}

}  // namespace movrand::history
