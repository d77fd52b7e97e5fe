// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/RestoreChecks.h"

#include <map>

#include "platform/FileKeeping.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"
#include "platform/WindowsPath.h"

namespace movrand::history {

namespace {

using platform::LowerCase;

std::string Refused(const std::string& why) {
    return "Cannot take the steps back: " + why + ". Nothing was changed.";
}

// Looks at each folder on the way to a path, from the installation (or, outside it, from the
// drive's root) down; each folder is looked at once however many paths lie in it.
class WayCheck {
  public:
    explicit WayCheck(const HistoryPlace& place)
        : place_(place),
          installation_(LowerCase(place.Installation())),
          depth_(platform::WindowsPath::Parse(place.Installation()).Components.size()) {}

    // "" when nothing on the way to `path`, nor at it, is a link or a file where a folder must
    // be; else what stands in the way.
    std::string operator()(const std::string& path) {
        const platform::WindowsPath parsed = platform::WindowsPath::Parse(path);
        const std::string key = LowerCase(path);
        const bool inside = key.size() > installation_.size() &&
                            key.compare(0, installation_.size(), installation_) == 0 &&
                            key[installation_.size()] == '\\';
        std::size_t from = inside ? depth_ : 0;
        std::string at = inside ? place_.Installation() : std::string(1, parsed.DriveLetter) + ":";
        for (std::size_t i = from; i < parsed.Components.size(); ++i) {
            at += "\\" + parsed.Components[i];
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
        return kinds_[key] = place_.Files().KindAt(path);
    }

  private:
    const HistoryPlace& place_;
    std::string installation_;
    std::size_t depth_;
    std::map<std::string, std::string> kinds_;
};

// The kept copy of a file is there and still holds the bytes of its fingerprint.
bool KeptWhole(const HistoryPlace& place, const FileState& state) {
    const std::filesystem::path kept = place.ContentOf(state.Hash);
    const platform::FileFacts facts = platform::FactsOf(kept);
    if (facts.Kind != platform::FileFacts::Type::File || facts.Size != state.Size) return false;
    try {
        return platform::FastHashOf(kept, true) == state.Hash;
    } catch (const platform::RuntimeError&) {
        return false;
    }
}

}  // namespace

std::string CheckReversal(const HistoryPlace& place, const std::vector<Step>& steps,
                          const std::set<int>& reversed, const ReversalTargets& targets) {
    // What the steps taken back put at each path: a file (from the history's content) or a
    // folder.
    std::set<std::string> files, folders, checked;
    std::vector<std::string> ways;
    for (const Step& step : steps) {
        if (!reversed.count(step.Number)) continue;
        for (const StepChange& c : step.Changes) {
            if (c.Kind != StepChange::Type::Path) {
                ways.push_back(c.Path);  // where a folder moved or kept goes back to
                continue;
            }
            if (c.Before.IsFolder()) folders.insert(LowerCase(c.Path));
            if (!c.Before.IsFile()) continue;
            files.insert(LowerCase(c.Path));
            if (checked.insert(c.Before.Hash).second && !KeptWhole(place, c.Before))
                return Refused("the copy of " + c.Path +
                               " that the history kept is damaged (its content is not what was "
                               "kept)");
        }
    }
    WayCheck way(place);
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
    return "";
}

}  // namespace movrand::history
