// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/RestoreJournal.h"

#include <sstream>

#include "history/HistorySettling.h"
#include "platform/RuntimeError.h"

namespace movrand::history {

std::string JournalText(const RestoreJournal& journal) {
    std::string text = std::string(journal.IsUndo ? "undo" : "restore") + "\t" + journal.Summary +
                       "\nstep\t" + std::to_string(journal.RecordedAs) + "\n";
    for (const int n : journal.Reverse) text += "reverse\t" + std::to_string(n) + "\n";
    for (const int n : journal.Undoes) text += "undoes\t" + std::to_string(n) + "\n";
    return text;
}

RestoreJournal ParseJournal(const std::string& text, const std::string& shown) {
    RestoreJournal journal;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const std::size_t tab = line.find('\t');
        const std::string key = line.substr(0, tab);
        const std::string value = tab == std::string::npos ? "" : line.substr(tab + 1);
        try {
            if (key == "undo" || key == "restore") {
                journal.IsUndo = key == "undo";
                journal.Summary = value;
            } else if (key == "step") {
                journal.RecordedAs = std::stoi(value);
            } else if (key == "reverse" || key == "undoes") {
                (key == "reverse" ? journal.Reverse : journal.Undoes).push_back(std::stoi(value));
            }
        } catch (const std::exception&) {
            throw platform::RuntimeError(platform::kPathFileAccessError,
                                         "The history file " + shown + " is damaged");
        }
    }
    return journal;
}

void WriteJournal(HistoryPlace& place, const RestoreJournal& journal) {
    place.Files().WriteWholeFile(place.RestoreJournal(), JournalText(journal));
    place.Share(place.RestoreJournal());
}

bool RestoreStands(const HistoryPlace& place) {
    return place.Exists() && !place.Files().KindAt(place.RestoreJournal()).empty();
}

std::string StandingText(const HistoryPlace& place) {
    std::string what = "restore";
    try {
        const RestoreJournal journal =
            ParseJournal(place.ReadRecord(place.RestoreJournal()), place.RestoreJournal());
        what = std::string(journal.IsUndo ? "undo" : "restore") +
               (journal.Summary.empty() ? "" : " (" + journal.Summary + ")");
    } catch (const platform::RuntimeError&) {
        // Named by its file alone.
    }
    return "An unfinished " + what + " stands in " + place.RestoreJournal();
}

std::string AbandonWayOut() {
    return "To leave the game as it is and close it, use \"Close Unfinished Restore\" on the "
           "History page or run: movrand-cli history abandon (or answer Yes when Movrand asks at "
           "its start).";
}

void RefuseWhileRestoreStands(const HistoryPlace& place) {
    if (!RestoreStands(place)) {
        if (const std::string refusal = DamagedPendingRefusal(place); !refusal.empty())
            throw platform::RuntimeError(platform::kPathFileAccessError, refusal);
        return;
    }
    throw platform::RuntimeError(
        platform::kPathFileAccessError,
        StandingText(place) + ": nothing can be changed until it is closed. " + AbandonWayOut());
}

int SettleCutRestore(HistoryPlace& place) {
    std::optional<Step> part = ReadPendingStep(place);
    if (!part) return 0;
    part->IsUndo = false;
    part->Undoes.clear();
    const int number = part->Number;
    RecordCutShort(place, std::move(*part));
    return number;
}

int AbandonRestore(HistoryPlace& place, std::string* setAside) {
    int part = 0;
    try {
        part = SettleCutRestore(place);
    } catch (const platform::RuntimeError&) {
        // The part that ran cannot be recorded as a step: its record cannot be read, or what it
        // names cannot be looked at (a folder made a link since, say). The record is kept under
        // a name that says so, and what it changed stays as it is: closing is the way out, so
        // it never fails for what stands in the game.
        if (place.Files().KindAt(place.Pending()).empty()) throw;
        const std::string aside = SetDamagedPendingAside(place);
        if (setAside) *setAside = aside;
    }
    if (!part) {
        // A restore stopped by a failure recorded the part that ran as its step.
        int recordedAs = 0;
        try {
            recordedAs =
                ParseJournal(place.ReadRecord(place.RestoreJournal()), place.RestoreJournal())
                    .RecordedAs;
        } catch (const platform::RuntimeError&) {
            // A damaged journal names no step.
        }
        for (const Step& listed : place.ReadIndex())
            if (listed.Number == recordedAs) part = recordedAs;
    }
    place.Files().DeleteFile(place.RestoreJournal(), true);
    place.Files().SyncTouched();
    return part;
}

std::string AbandonedText(int part, const std::string& setAside) {
    if (!setAside.empty())
        return "The unfinished restore was closed and the game left as it is. Its record of what "
               "it changed, which could not be made a step, was kept as " +
               setAside + "; what it changed is in no step.";
    return "The unfinished restore was closed and the game left as it is." +
           (part ? " What it changed is step " + std::to_string(part) + "."
                 : std::string(" It had changed nothing."));
}

}  // namespace movrand::history
