// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/RestoreChecks.h"

#include <algorithm>
#include <map>
#include <optional>

#include "platform/FileKeeping.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"
#include "wine/WindowsPath.h"

namespace movrand::history {

namespace {

using platform::LowerCase;

std::string Refused(const std::string& why) {
    return "Cannot take the steps back: " + why + ". Nothing was changed.";
}

// Looks at each folder on the way to a path: from the installation down, or outside it from
// the stored car folder that holds it (the way to that folder is the player's choice, and may
// pass through a link); each folder is looked at once however many paths lie in it.
class WayCheck {
  public:
    WayCheck(const HistoryPlace& place, const std::vector<std::string>& roots)
        : place_(place), roots_(roots) {}

    // "" when nothing on the way to `path`, nor at it, is a link or a file where a folder must
    // be; else what stands in the way.
    std::string operator()(const std::string& path) {
        const platform::WindowsPath parsed = platform::WindowsPath::Parse(path);
        std::size_t from = parsed.Components.empty() ? 0 : parsed.Components.size() - 1;
        for (const std::string& outer : roots_) {
            const platform::WindowsPath top = platform::WindowsPath::Parse(outer);
            if (Within(path, outer) && !top.Components.empty())
                from = std::min(from, top.Components.size() - (outer == roots_[0] ? 0 : 1));
        }
        std::string at = std::string(1, parsed.DriveLetter) + ":";
        for (std::size_t i = 0; i < parsed.Components.size(); ++i) {
            at += "\\" + parsed.Components[i];
            if (i < from) continue;
            const std::string kind = KindAt(at);
            if (kind.empty()) return "";
            const bool last = i + 1 == parsed.Components.size();
            if (kind == "a folder" || (last && kind == "a file")) continue;
            if (kind == "a file") return "a file stands at " + at + ", where a folder must be";
            return at + " is " + kind + ", and nothing is reached through one";
        }
        return "";
    }

    std::string KindAt(const std::string& path) {
        const std::string key = LowerCase(path);
        const auto known = kinds_.find(key);
        if (known != kinds_.end()) return known->second;
        // A file or folder under its own name in a folder seen already is looked at there, the
        // folder held open: one look instead of a walk down the whole path and its resolution.
        // Anything else (another case, a link) is left to the service, which names it.
        const std::size_t slash = path.rfind('\\');
        if (const int folder = slash == std::string::npos ? -1 : HeldFolder(path.substr(0, slash));
            folder >= 0) {
            const platform::FileFacts facts = platform::FactsOf(path.substr(slash + 1), folder);
            looked_[key] = facts;
            if (facts.Kind == platform::FileFacts::Type::File) return kinds_[key] = "a file";
            if (facts.Kind == platform::FileFacts::Type::Folder) return kinds_[key] = "a folder";
        }
        return kinds_[key] = place_.Files().KindAt(path);
    }

    // What was found at each path looked at by its name in its held folder.
    std::map<std::string, platform::FileFacts> TakeLooked() { return std::move(looked_); }

  private:
    // The folder `folder` held open when it was seen to be one; -1 otherwise.
    int HeldFolder(const std::string& folder) {
        const std::string key = LowerCase(folder);
        const auto seen = kinds_.find(key);
        if (seen == kinds_.end() || seen->second != "a folder") return -1;
        auto held = held_.find(key);
        if (held == held_.end()) {
            std::optional<platform::Descriptor> opened;
            try {
                opened.emplace(place_.Files().OpenFolder(folder));
            } catch (const platform::RuntimeError&) {
            }
            held = held_.emplace(key, std::move(opened)).first;
        }
        return held->second ? held->second->Get() : -1;
    }

    static bool Within(const std::string& path, const std::string& folder) {
        const std::string key = LowerCase(path), outer = LowerCase(folder);
        return key == outer ||
               (key.size() > outer.size() && key.compare(0, outer.size(), outer) == 0 &&
                key[outer.size()] == '\\');
    }

    const HistoryPlace& place_;
    std::vector<std::string> roots_;  // the installation first, then the stored car folders
    std::map<std::string, std::string> kinds_;
    std::map<std::string, platform::FileFacts> looked_;
    std::map<std::string, std::optional<platform::Descriptor>> held_;
};

// The kept copy of a file is there and still holds the bytes of its fingerprint. A copy that
// still looks as the step that kept it left it is not read here: it is checked as it is put back.
bool KeptWhole(const HistoryPlace& place, const FileState& state,
               const std::map<std::string, KeptCopy>& looks, KeptLooks& kept) {
    const platform::FileFacts& facts = kept.Of(state.Hash);
    if (facts.Kind != platform::FileFacts::Type::File || facts.Size != state.Size) return false;
    const auto look = looks.find(state.Hash);
    if (look != looks.end() && look->second.Number == facts.Number &&
        look->second.Size == facts.Size && look->second.ChangedNs == facts.ChangedNs)
        return true;
    try {
        return platform::FastHashOf(place.ContentOf(state.Hash), true, kept.Folder(state.Hash)) ==
               state.Hash;
    } catch (const platform::RuntimeError&) {
        return false;
    }
}

}  // namespace

std::string CheckReversal(const HistoryPlace& place, const std::vector<Step>& steps,
                          const std::set<int>& reversed, const ReversalTargets& targets,
                          KeptLooks& kept, std::map<std::string, platform::FileFacts>* looked) {
    // What the steps taken back put at each path: a file (from the history's content) or a
    // folder.
    std::set<std::string> files, folders, checked;
    std::vector<std::string> ways, roots{place.Installation()};
    std::map<std::string, KeptCopy> looks;
    for (const Step& step : steps) looks.insert(step.KeptCopies.begin(), step.KeptCopies.end());
    for (const Step& step : steps) {
        if (!reversed.count(step.Number)) continue;
        roots.insert(roots.end(), step.Roots.begin(), step.Roots.end());
        for (const StepChange& c : step.Changes) {
            if (c.Kind != StepChange::Type::Path) {
                ways.push_back(c.Path);  // where a folder moved or kept goes back to
                continue;
            }
            if (c.Before.IsFolder()) folders.insert(LowerCase(c.Path));
            if (!c.Before.IsFile()) continue;
            files.insert(LowerCase(c.Path));
            if (checked.insert(c.Before.Hash).second && !KeptWhole(place, c.Before, looks, kept))
                return Refused("the copy of " + c.Path +
                               " that the history kept is damaged (its content is not what was "
                               "kept)");
        }
    }
    WayCheck way(place, roots);
    for (const std::string& folder : targets.Folders) {
        if (std::string problem = way(folder); !problem.empty()) return Refused(problem);
        const std::string kind = way.KindAt(folder);
        if (kind.empty())
            return Refused("the folder " + folder +
                           ", which a step being taken back moved there, is missing");
        if (kind != "a folder")
            return Refused(kind + " stands at " + folder + ", where a step left a folder");
    }
    for (const ReversalTargets::Target& t : targets.Paths) {
        if (std::string problem = way(t.Path); !problem.empty()) return Refused(problem);
        const std::string kind = way.KindAt(t.Path);
        const std::string key = LowerCase(t.Path);
        if (kind == "a folder" && !t.Expected.IsFolder() && files.count(key))
            return Refused("a folder stands at " + t.Path + ", where a file is put back");
        if (kind == "a file" && !t.Expected.IsFile() && folders.count(key))
            return Refused("a file stands at " + t.Path + ", where a folder must be");
    }
    for (const std::string& path : ways)
        if (std::string problem = way(path); !problem.empty()) return Refused(problem);
    if (looked) *looked = way.TakeLooked();
    return "";
}

}  // namespace movrand::history
