// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistorySettling.h"

#include <algorithm>

#include "history/ChangeRecorder.h"
#include "platform/RuntimeError.h"

namespace movrand::history {

int SettlePendingStep(HistoryPlace& place) {
    platform::FileSystem& fs = place.Files();
    if (!fs.FileExists(place.Pending())) return 0;
    // A kill can cut the journal's last line short; what it had not written had not happened.
    std::string text = fs.ReadAllBytes(place.Pending());
    text.resize(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
    Step step;
    try {
        step = ParseStep(text, place.Pending(), true);
    } catch (const platform::RuntimeError&) {
        // Cut before its first change was written: the run changed nothing it recorded.
        for (const char* change : {"\npath\t", "\nmove\t", "\nexchange\t", "\nkept\t"})
            if (text.find(change) != std::string::npos) throw;
        fs.DeleteFile(place.Pending(), true);
        return 0;
    }
    // The step file may have been written before the cut: then only the journal goes.
    for (const Step& listed : place.ReadIndex())
        if (listed.Number == step.Number) {
            fs.DeleteFile(place.Pending(), true);
            return 0;
        }
    std::vector<StepChange> changes;
    for (StepChange& c : step.Changes) {
        if (c.Kind == StepChange::Type::Kept && !fs.FolderExists(place.KeptPath(c.To))) continue;
        if (c.Kind == StepChange::Type::Path && !c.HasAfter) {
            c.After = StateOf(fs.Native(c.Path));
            c.HasAfter = true;
        }
        if (c.Kind == StepChange::Type::Path && c.Before.SameAs(c.After)) continue;
        changes.push_back(std::move(c));
    }
    step.Changes = std::move(changes);
    step.Summary += " (cut short)";
    const int number = step.Changes.empty() ? 0 : step.Number;
    if (number) {
        step.Number = std::max(step.Number, place.NextNumber());
        place.AddStep(step);
    }
    fs.DeleteFile(place.Pending(), true);
    return number ? step.Number : 0;
}

}  // namespace movrand::history
