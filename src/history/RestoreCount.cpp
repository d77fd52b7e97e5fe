// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/RestoreCount.h"

#include <algorithm>
#include <map>

#include "history/NetChanges.h"
#include "history/StepPlaces.h"
#include "platform/Text.h"

namespace movrand::history {

namespace {

using Type = StepChange::Type;

bool Under(const std::string& path, const std::string& folder) {
    const std::string p = platform::LowerCase(path);
    const std::string f = platform::LowerCase(folder);
    return p == f || (p.size() > f.size() && p.compare(0, f.size(), f) == 0 && p[f.size()] == '\\');
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           platform::LowerCase(text.substr(text.size() - end.size())) == end;
}

// One of the history's own files or folders, or the mark a swap leaves beside a stored folder.
bool HistoryOwn(const std::string& path, const HistoryPlace& place) {
    return Under(path, place.Folder()) || EndsWith(path, StoredMarkerBeside(""));
}

bool Counted(const StepChange& c) {
    if (c.MovedBack) return false;  // a folder moved away and back: what changed in it counts
    if (c.Kind != StepChange::Type::Path) return true;
    return !c.HasAfter || !c.Before.SameAs(c.After);
}

// The folders moved whole, each from where it stood before the first move to where it stands
// after the last: a folder moved aside and then into place is one move, two folders that end in
// each other's place one exchange, and one that comes back where it was none.
std::vector<StepChange> FolderMoves(const std::vector<StepChange>& changes,
                                    const HistoryPlace& place) {
    std::map<std::string, std::string> held;   // place (lower-cased) -> the folder that began there
    std::map<std::string, std::string> shown;  // place (lower-cased) -> its path as written
    const auto at = [&](const std::string& path) -> std::string& {
        const std::string key = platform::LowerCase(path);
        shown.emplace(key, path);
        return held.emplace(key, key).first->second;
    };
    for (const StepChange& c : changes) {
        const std::string to = c.Kind == Type::Kept ? place.KeptPath(c.To) : c.To;
        if (c.Kind == Type::Path) continue;
        std::string& from = at(c.Path);
        std::string& into = at(to);
        if (c.Kind == Type::Exchange) {
            std::swap(from, into);
        } else {
            into = from;
            from.clear();
        }
    }
    std::map<std::string, std::string> endsAt;  // the folder that began at a place -> its end
    for (const auto& [where, folder] : held)
        if (!folder.empty() && folder != where) endsAt[folder] = where;
    std::vector<StepChange> moves;
    for (const auto& [from, to] : endsAt) {
        const auto back = endsAt.find(to);
        const bool exchange = back != endsAt.end() && back->second == from;
        if (exchange && to < from) continue;  // told once, with the other
        if (HistoryOwn(shown[from], place) && HistoryOwn(shown[to], place)) continue;
        StepChange move;
        move.Path = shown[from];
        move.To = shown[to];
        move.Kind = exchange ? Type::Exchange : Type::Move;
        const std::string kept = platform::LowerCase(place.KeptPath(""));
        if (!exchange && to.compare(0, kept.size(), kept) == 0) {
            move.Kind = Type::Kept;
            move.To = move.To.substr(kept.size());
        }
        moves.push_back(std::move(move));
    }
    return moves;
}

}  // namespace

std::vector<StepChange> NetChangesOf(const std::vector<Step>& steps, const HistoryPlace& place) {
    std::vector<StepChange> all;
    for (const Step& step : steps) all.insert(all.end(), step.Changes.begin(), step.Changes.end());
    const std::vector<StepChange> moves = FolderMoves(all, place);
    std::vector<StepChange> paths;
    for (StepChange& c : NetChanges(
             std::move(all), [&place](const std::string& name) { return place.KeptPath(name); }))
        if (c.Kind == Type::Path && Counted(c) && !HistoryOwn(c.Path, place))
            paths.push_back(std::move(c));
    // A folder the steps made and then moved is made where it ends, or not at all when it ends
    // in the history, with what they put in it.
    std::vector<StepChange> net;
    for (const StepChange& move : moves) {
        const auto made = std::find_if(paths.begin(), paths.end(), [&](const StepChange& c) {
            return c.Before.IsNone() && c.After.IsFolder() && Under(c.Path, move.Path);
        });
        if (move.Kind == Type::Exchange || made == paths.end() || !Under(made->Path, move.Path) ||
            platform::LowerCase(made->Path) != platform::LowerCase(move.Path)) {
            net.push_back(move);
            continue;
        }
        const std::string to = move.Kind == Type::Kept ? place.KeptPath(move.To) : move.To;
        std::vector<StepChange> kept;
        for (StepChange& c : paths) {
            if (!Under(c.Path, move.Path)) {
                kept.push_back(std::move(c));
            } else if (move.Kind != Type::Kept) {
                c.Path = to + c.Path.substr(move.Path.size());
                kept.push_back(std::move(c));
            }
        }
        paths = std::move(kept);
    }
    net.insert(net.end(), paths.begin(), paths.end());
    return net;
}

ChangeCount CountOf(const std::vector<StepChange>& changes) {
    ChangeCount count;
    for (const StepChange& c : changes) {
        if (!Counted(c)) continue;
        if (c.Kind == StepChange::Type::Exchange)
            count.Folders += 2;
        else if (c.Kind != StepChange::Type::Path || c.Before.IsFolder() || c.After.IsFolder())
            ++count.Folders;
        else
            ++count.Files;
    }
    return count;
}

std::string CountText(const ChangeCount& count) {
    const auto text = [](std::size_t n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    if (count.Files == 0 && count.Folders == 0) return "nothing";
    if (count.Folders == 0) return text(count.Files, "file", "files");
    if (count.Files == 0) return text(count.Folders, "folder", "folders");
    return text(count.Files, "file", "files") + " and " + text(count.Folders, "folder", "folders");
}

}  // namespace movrand::history
