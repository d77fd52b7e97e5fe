// SPDX-License-Identifier: GPL-3.0-or-later
// The "History" page's keeping and forgetting: a name for a step, forgetting the steps older than
// the one selected, the size limit, and the ways out of a history that cannot be used as it is
// (a missing or damaged index, a restore that could not be finished).
#include <cstdint>
#include <optional>
#include <string>

#include "history/HistoryForget.h"
#include "history/HistoryPlace.h"
#include "history/HistoryRepair.h"
#include "history/RestoreJournal.h"
#include "history/StepLabels.h"
#include "mainwindow/ui/PageAtWork.h"
#include "mainwindow/ui/frmMovrand.h"

namespace movrand::mainwindow {

namespace {

// The whole number of megabytes typed (blanks around it allowed); nullopt for anything else.
std::optional<std::uint64_t> Megabytes(const std::string& typed) {
    const std::size_t first = typed.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    const std::string digits = typed.substr(first, typed.find_last_not_of(' ') - first + 1);
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoull(digits);
}

}  // namespace

void frmMovrand::NameStep() {
    const int step = SelectedStep();
    if (step < 1) {
        ui_.ShowMessage("Please select the step to name.");
        return;
    }
    history::HistoryPlace place(pv_);
    const history::StepLabels labels = history::ReadLabels(place);
    const auto now = labels.find(step);
    const std::optional<std::string> typed =
        ui_.AskText("The name of step " + std::to_string(step) + " (leave it empty for none):",
                    now == labels.end() ? "" : now->second);
    if (!typed) return;
    history::SetLabel(place, step, *typed);
    ShowHistorySelecting(step);
}

void frmMovrand::ForgetOlderSteps() {
    const int step = SelectedStep();
    if (step < 1) {
        ui_.ShowMessage("Please select the oldest step to keep.");
        return;
    }
    history::HistoryPlace place(pv_);
    history::RefuseWhileRestoreStands(place);
    if (!history::AskToForget(place, step, ui_)) return;
    history::ForgetResult result;
    {
        const PageAtWork busy(ui_, fra(fra::kHistoryPage));
        result = history::ForgetStepsBefore(place, step);
    }
    ui_.ShowMessage(history::ForgottenText(result, place));
    ShowHistorySelecting(step);
}

void frmMovrand::ChangeHistoryLimit() {
    const int step = SelectedStep();
    history::HistoryPlace place(pv_);
    const std::optional<std::string> typed =
        ui_.AskText("The size the history of this installation keeps within, in MB:",
                    std::to_string((place.Exists() ? place.Limit() : 0) >> 20));
    if (!typed) return;
    const std::optional<std::uint64_t> megabytes = Megabytes(*typed);
    if (!megabytes) {
        ui_.ShowMessage("Please enter the limit as a whole number of megabytes, such as 2048.");
        return;
    }
    bool changed = false;
    {
        const PageAtWork busy(ui_, fra(fra::kHistoryPage));
        changed = history::ChangeLimit(place, *megabytes << 20, ui_);
    }
    if (changed) ShowHistorySelecting(step);
}

void frmMovrand::RepairHistory() {
    history::HistoryPlace place(pv_);
    ui_.ShowMessage(history::RepairHistoryRecords(place));
    ShowHistory();
}

void frmMovrand::CloseUnfinishedRestore() {
    history::HistoryPlace place(pv_);
    if (history::RestoreStands(place)) {
        platform::Question asked;
        asked.Message = history::StandingText(place) +
                        ".\r\n\r\nLeave the game as it is and close it? What it changed stays, "
                        "recorded as a step of its own.";
        if (!ui_.AskYesNo(asked)) return;
        std::string setAside;
        const int part = history::AbandonRestore(place, &setAside);
        ui_.ShowMessage(history::AbandonedText(part, setAside));
    } else {
        ui_.ShowMessage("There is no unfinished restore or undo to close.");
    }
    ShowHistory();
}

}  // namespace movrand::mainwindow
