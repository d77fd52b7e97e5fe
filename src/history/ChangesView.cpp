// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/ChangesView.h"

#include <algorithm>
#include <map>

#include "history/HistoryForget.h"
#include "history/RestoreCount.h"
#include "platform/Text.h"

namespace movrand::history {

namespace {

using Type = StepChange::Type;

std::string SizeOf(const FileState& state) {
    return state.IsFile() ? SizeText(state.Size) : "";
}

// The team folder that holds `path` (cars\cars67\ferrari in the installation), else the folder
// that holds it.
std::string GroupOf(const HistoryPlace& place, const std::string& path) {
    const std::string cars = place.Installation() + "\\cars\\cars67\\";
    const std::string key = platform::LowerCase(path);
    if (key.size() > cars.size() && key.compare(0, cars.size(), platform::LowerCase(cars)) == 0) {
        const std::size_t end = path.find('\\', cars.size());
        if (end != std::string::npos) return path.substr(0, end);
    }
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(0, slash);
}

ChangeLine LineOf(const StepChange& c) {
    ChangeLine line{ChangeWord(c), c.Path, "", "", true};
    if (c.Kind != Type::Path) return line;
    line.Before = SizeOf(c.Before);
    line.After = c.HasAfter ? SizeOf(c.After) : "";
    line.Folder = c.Before.IsFolder() || c.After.IsFolder();
    return line;
}

// The change the other way round, as taking it back makes it.
ChangeLine ReversedLine(const HistoryPlace& place, const StepChange& c) {
    switch (c.Kind) {
        case Type::Move:
            return {"moved to " + c.Path, c.To, "", "", true};
        case Type::Exchange:
            return {"exchanged with " + c.To, c.Path, "", "", true};
        case Type::Kept:
            return {"folder brought back from the history (" + place.KeptPath(c.To) + ")", c.Path,
                    "", "", true};
        case Type::Path:
            break;
    }
    StepChange back = c;
    std::swap(back.Before, back.After);
    return LineOf(back);
}

std::vector<ChangeGroup> Grouped(const HistoryPlace& place, std::vector<ChangeLine> lines) {
    std::map<std::string, ChangeGroup> groups;  // by the lower-cased folder
    for (ChangeLine& line : lines) {
        const std::string folder = GroupOf(place, line.Path);
        ChangeGroup& group = groups[platform::LowerCase(folder)];
        group.Folder = folder;
        group.Lines.push_back(std::move(line));
    }
    std::vector<ChangeGroup> out;
    for (auto& [key, group] : groups) out.push_back(std::move(group));
    return out;
}

}  // namespace

ChangesView ViewOfStep(const HistoryPlace& place, const Step& step) {
    const std::vector<StepChange> net = NetChangesOf({step}, place);
    std::vector<ChangeLine> lines;
    for (const StepChange& c : net) lines.push_back(LineOf(c));
    ChangesView view;
    view.Heading = "Step " + std::to_string(step.Number) + " (" + step.Summary + ") changed " +
                   CountText(CountOf(net)) + ".";
    view.Groups = Grouped(place, std::move(lines));
    return view;
}

ChangesView ViewOfCheck(const HistoryPlace& place, const std::vector<HandChange>& changes) {
    ChangesView view;
    if (changes.empty()) {
        view.Heading = "No file was changed since Movrand last touched it.";
        return view;
    }
    std::vector<ChangeLine> lines;
    for (const HandChange& c : changes) lines.push_back({c.What, c.Path, "", "", false});
    view.Heading = std::to_string(changes.size()) +
                   (changes.size() == 1 ? " file changed since Movrand last touched it."
                                        : " files changed since Movrand last touched them.");
    view.Groups = Grouped(place, std::move(lines));
    return view;
}

ChangesView ViewOfPlan(const HistoryPlace& place, const RestorePlan& plan,
                       const std::string& what) {
    std::vector<ChangeLine> lines;
    for (auto c = plan.Net.rbegin(); c != plan.Net.rend(); ++c)
        lines.push_back(ReversedLine(place, *c));
    for (const HandChange& c : plan.PutBack)
        lines.push_back({c.What == "added"     ? "added by hand, removed"
                         : c.What == "missing" ? "missing, put back"
                                               : "changed by hand, put back",
                         c.Path, "", "", false});
    ChangesView view;
    view.Heading = what + " changes " + CountText(plan.Count) + ".";
    view.Groups = Grouped(place, std::move(lines));
    return view;
}

}  // namespace movrand::history
