// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/NetChanges.h"

#include <map>
#include <optional>

#include "platform/Text.h"

namespace movrand::history {

namespace {

using Type = StepChange::Type;

bool IsPath(const StepChange& c) {
    return c.Kind == Type::Path;
}

// `path` is `folder` or lies under it (both lower-cased).
bool AtOrUnder(const std::string& path, const std::string& folder) {
    return path == folder ||
           (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
            path[folder.size()] == '\\');
}

bool Related(const std::string& a, const std::string& b) {
    return AtOrUnder(a, b) || AtOrUnder(b, a);
}

// The folders a move, an exchange or a kept folder reaches, lower-cased.
std::vector<std::string> Ends(const StepChange& c, const std::string& kept) {
    return {platform::LowerCase(c.Path), platform::LowerCase(c.Kind == Type::Kept ? kept : c.To)};
}

// Where a path a change `c` left untouched lies after it; nullopt when `c` touches the path
// itself or what holds it, or takes it away.
std::optional<std::string> Across(const std::string& path, const StepChange& c,
                                  const std::string& kept, const std::string& keptFolder) {
    const std::string key = platform::LowerCase(path);
    const std::vector<std::string> ends = Ends(c, kept);
    const auto strictlyUnder = [&](const std::string& folder) {
        return key.size() > folder.size() && AtOrUnder(key, folder);
    };
    for (const std::string& end : ends)
        if (AtOrUnder(end, key)) return std::nullopt;  // the path holds an end, or is one
    if (c.Kind == Type::Exchange) {
        if (strictlyUnder(ends[0])) return c.To + path.substr(c.Path.size());
        if (strictlyUnder(ends[1])) return c.Path + path.substr(c.To.size());
        return path;
    }
    // A folder moved into the history's kept folders takes what is in it out of the step.
    if (c.Kind == Type::Move && strictlyUnder(ends[0]) && !AtOrUnder(ends[1], keptFolder))
        return c.To + path.substr(c.Path.size());
    if (strictlyUnder(ends[0]) || strictlyUnder(ends[1])) return std::nullopt;
    return path;
}

// `b` right after `a` puts back what `a` did.
bool Undoes(const StepChange& a, const StepChange& b, const std::string& aKept) {
    const auto same = [](const std::string& x, const std::string& y) {
        return platform::LowerCase(x) == platform::LowerCase(y);
    };
    if (a.Kind == Type::Exchange && b.Kind == Type::Exchange)
        return (same(a.Path, b.Path) && same(a.To, b.To)) ||
               (same(a.Path, b.To) && same(a.To, b.Path));
    if (b.Kind != Type::Move) return false;
    if (a.Kind == Type::Move) return same(a.Path, b.To) && same(a.To, b.Path);
    return a.Kind == Type::Kept && same(aKept, b.Path) && same(a.Path, b.To);
}

bool Independent(const StepChange& a, const StepChange& b, const std::string& aKept,
                 const std::string& bKept) {
    for (const std::string& x : Ends(a, aKept))
        for (const std::string& y : Ends(b, bKept))
            if (Related(x, y)) return false;
    return true;
}

// Each path change carried forward past the moves it is not touched by.
std::vector<StepChange> CarryForward(std::vector<StepChange> changes,
                                     const std::vector<std::string>& kept,
                                     const std::string& keptFolder) {
    std::vector<StepChange> out;
    std::vector<std::vector<StepChange>> waiting(changes.size() + 1);  // before change i
    // The first move at or after each change: a step of thousands of files and no move is
    // walked once, not once a file.
    std::vector<std::size_t> nextMove(changes.size() + 1, changes.size());
    for (std::size_t i = changes.size(); i-- > 0;)
        nextMove[i] = IsPath(changes[i]) ? nextMove[i + 1] : i;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        if (!IsPath(changes[i])) continue;
        StepChange c = std::move(changes[i]);
        std::size_t j = nextMove[i + 1];
        for (; j < changes.size(); j = nextMove[j + 1]) {
            const std::optional<std::string> to = Across(c.Path, changes[j], kept[j], keptFolder);
            if (!to) break;
            c.Path = *to;
        }
        // A folder moved back that a later move takes away again is that move's to tell of.
        if (c.MovedBack && j < changes.size()) continue;
        waiting[j].push_back(std::move(c));
    }
    for (std::size_t i = 0; i <= changes.size(); ++i) {
        for (StepChange& c : waiting[i]) out.push_back(std::move(c));
        if (i < changes.size() && !IsPath(changes[i])) out.push_back(std::move(changes[i]));
    }
    return out;
}

// The path changes of each run joined by path, first state to last; what ends as it began
// left out.
std::vector<StepChange> Joined(std::vector<StepChange> changes) {
    std::vector<StepChange> out;
    std::map<std::string, std::size_t> run;
    for (StepChange& c : changes) {
        if (!IsPath(c)) {
            run.clear();
            out.push_back(std::move(c));
            continue;
        }
        const auto [at, added] = run.emplace(platform::LowerCase(c.Path), out.size());
        if (added) {
            out.push_back(std::move(c));
        } else if (c.MovedBack) {
            continue;
        } else if (out[at->second].MovedBack) {
            out[at->second] = std::move(c);
        } else {
            out[at->second].After = c.After;
            out[at->second].HasAfter = c.HasAfter;
        }
    }
    std::vector<StepChange> kept;
    for (StepChange& c : out) {
        if (!IsPath(c) || c.MovedBack || !c.HasAfter || !c.Before.SameAs(c.After)) {
            kept.push_back(std::move(c));
        } else if (const std::size_t slash = c.Path.rfind('\\'); slash != std::string::npos) {
            // Made and deleted again, or deleted and made again: its folder's entries changed.
            StepChange folder;
            folder.Path = c.Path.substr(0, slash);
            folder.MovedBack = true;
            kept.push_back(std::move(folder));
        }
    }
    return kept;
}

// One move dropped with the one that reverses it, where only moves that do not touch theirs
// stand between; false when there is none.
bool DropReversed(std::vector<StepChange>& changes,
                  const std::function<std::string(const std::string&)>& keptPath) {
    std::vector<std::string> kept(changes.size());
    for (std::size_t i = 0; i < changes.size(); ++i)
        if (changes[i].Kind == Type::Kept) kept[i] = keptPath(changes[i].To);
    for (std::size_t i = 0; i < changes.size(); ++i) {
        if (IsPath(changes[i])) continue;
        for (std::size_t j = i + 1; j < changes.size() && !IsPath(changes[j]); ++j) {
            if (Undoes(changes[i], changes[j], kept[i])) {
                // What lies in the folders moved and back changed after the step that moved
                // them last: they are told of as moved back, where they stand at the end.
                std::vector<StepChange> back(changes[i].Kind == Type::Exchange ? 2 : 1);
                back[0].Path = changes[i].Path;
                if (back.size() == 2) back[1].Path = changes[i].To;
                for (StepChange& c : back) c.MovedBack = true;
                changes.erase(changes.begin() + static_cast<std::ptrdiff_t>(j));
                changes.erase(changes.begin() + static_cast<std::ptrdiff_t>(i));
                changes.insert(changes.begin() + static_cast<std::ptrdiff_t>(i), back.begin(),
                               back.end());
                return true;
            }
            if (!Independent(changes[i], changes[j], kept[i], kept[j])) break;
        }
    }
    return false;
}

}  // namespace

std::vector<StepChange> NetChanges(std::vector<StepChange> changes,
                                   const std::function<std::string(const std::string&)>& keptPath) {
    std::string keptFolder = platform::LowerCase(keptPath(""));
    keptFolder.pop_back();  // the separator before the name
    for (;;) {
        std::vector<std::string> kept(changes.size());
        for (std::size_t i = 0; i < changes.size(); ++i)
            if (changes[i].Kind == Type::Kept) kept[i] = keptPath(changes[i].To);
        changes = Joined(CarryForward(std::move(changes), kept, keptFolder));
        if (!DropReversed(changes, keptPath)) return changes;
    }
}

}  // namespace movrand::history
