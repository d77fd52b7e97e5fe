// SPDX-License-Identifier: GPL-3.0-or-later
// The "History" page: the installation's steps, newest first, and the undo, the restore to a
// step and the check for files changed by hand; the buttons of keeping and forgetting are shown
// and enabled here (their work is in frmMovrandHistoryKeeping.cpp).
#include <algorithm>
#include <iterator>
#include <map>

#include "addons/NormalPointerUi.h"
#include "common/GameRunning.h"
#include "dialogs/ui/ListEntryDelegate.h"
#include "history/HistoryForget.h"
#include "history/HistoryListing.h"
#include "history/HistoryPlace.h"
#include "history/HistoryRestore.h"
#include "history/RestoreJournal.h"
#include "history/StepLabels.h"
#include "history/StepTime.h"
#include "mainwindow/ui/ControlSetup.h"
#include "mainwindow/ui/PageAtWork.h"
#include "mainwindow/ui/StepChangesPane.h"
#include "mainwindow/ui/frmMovrand.h"
#include "platform/RuntimeError.h"
#include "roster/IniFunctions.h"

namespace movrand::mainwindow {

namespace {

constexpr int kStepRole = Qt::UserRole + 2;    // the step an entry restores to
constexpr int kIsStepRole = Qt::UserRole + 3;  // the entry is a step (not the state before one)
constexpr int kOlderRole = Qt::UserRole + 4;   // older steps are listed below it

// A step's time in the local zone, "2026-12-07T17:30:05+01:00" as "2026-12-07 17:30:05"; one
// written without its offset as it was written.
std::string WhenText(const std::string& stored) {
    std::string when = history::LocalStepTime(stored);
    if (when != stored || when.size() == 25) when.resize(19);
    std::replace(when.begin(), when.end(), 'T', ' ');
    return when;
}

std::string StepName(const std::vector<history::Step>& steps, int number) {
    for (const history::Step& step : steps)
        if (step.Number == number)
            return "step " + std::to_string(number) + " (" + step.Summary + ")";
    return "step " + std::to_string(number);
}

// How much the history takes of its limit, or that it is over it (a named step it keeps, a step
// larger than the limit).
std::string SizeLine(const history::HistoryPlace& place, std::size_t steps) {
    const std::uint64_t size = place.Size();
    const std::uint64_t limit = place.Limit();
    const std::string count = " (" + std::to_string(steps) + (steps == 1 ? " step)" : " steps)");
    if (size > limit)
        return "The history takes " + history::SizeText(size) + ", over its limit of " +
               history::SizeText(limit) + count + ".";
    return "The history takes " + history::SizeText(size) + " of its limit of " +
           history::SizeText(limit) + count + ".";
}

}  // namespace

void frmMovrand::BuildHistoryPage(QWidget* page) {
    QListWidget* steps = Add(lst, "lst", lst::kHistorySteps, page, new QListWidget(page));
    SetSpokenName(steps, "History steps");
    steps->setItemDelegate(new dialogs::ListEntryDelegate(steps));
    steps->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    steps->setSelectionMode(QAbstractItemView::SingleSelection);
    Place(steps, 120, 120, 8760, 2280);
    Place(Add<QFrame>(fra, "fra", fra::kStepChanges, page, new StepChangesPane), 120, 2520, 8760,
          2820);
    // The newest entry is the installation as it is: there is nothing to restore it to. Only a
    // step can be named, and only a step with older ones below it can have them forgotten.
    connect(steps, &QListWidget::currentRowChanged, this, [this, steps](int row) {
        const QListWidgetItem* entry = row < 0 ? nullptr : steps->item(row);
        const bool step = entry && entry->data(kIsStepRole).toBool();
        cmd(cmd::kRestoreToHere)->setEnabled(row > 0);
        cmd(cmd::kNameStep)->setEnabled(step);
        cmd(cmd::kForgetOlderSteps)->setEnabled(step && entry->data(kOlderRole).toBool());
        ShowStepChanges(entry && entry->data(kStepRole).isValid() ? entry->data(kStepRole).toInt()
                                                                  : -1);
    });
    Place(Add(lbl, "lbl", lbl::kHistorySize, page, new QLabel(page)), 120, 5460, 8760, 255);
    Place(Add(cmd, "cmd", cmd::kUndoLast, page, new QPushButton("Undo Last", page)), 120, 5880,
          2160, 375);
    Place(Add(cmd, "cmd", cmd::kRestoreToHere, page, new QPushButton("Restore to Here", page)),
          2400, 5880, 2160, 375);
    Place(Add(cmd, "cmd", cmd::kNameStep, page, new QPushButton("Name This Step...", page)), 4680,
          5880, 1920, 375);
    Place(Add(cmd, "cmd", cmd::kCheckForChanges, page, new QPushButton("Check for Changes", page)),
          6720, 5880, 2160, 375);
    Place(Add(cmd, "cmd", cmd::kForgetOlderSteps, page,
              new QPushButton("Forget Older Steps...", page)),
          120, 6360, 2160, 375);
    Place(Add(cmd, "cmd", cmd::kHistoryLimit, page, new QPushButton("Size Limit...", page)), 2400,
          6360, 2160, 375);
    // The ways out, shown only while they are needed.
    Place(Add(cmd, "cmd", cmd::kRepairHistory, page, new QPushButton("Repair History", page)), 4680,
          6360, 1920, 375);
    Place(Add(cmd, "cmd", cmd::kCloseRestore, page,
              new QPushButton("Close Unfinished Restore", page)),
          6720, 6360, 2160, 375);
    cmd(cmd::kRepairHistory)->hide();
    cmd(cmd::kCloseRestore)->hide();
}

int frmMovrand::SelectedStep() {
    const QListWidgetItem* chosen = lst(lst::kHistorySteps)->currentItem();
    return chosen && chosen->data(kIsStepRole).toBool() ? chosen->data(kStepRole).toInt() : -1;
}

void frmMovrand::ShowHistory() {
    ShowHistorySelecting(-1);
}

void frmMovrand::ShowHistorySelecting(int chosen) {
    QListWidget* list = lst(lst::kHistorySteps);
    list->clear();
    // A history that cannot be read is told in place of its steps, never shown as an empty one,
    // and nothing can be undone, restored or checked from it.
    const auto usable = [&](bool yes) {
        for (int index : {cmd::kUndoLast, cmd::kRestoreToHere, cmd::kCheckForChanges,
                          cmd::kNameStep, cmd::kForgetOlderSteps, cmd::kHistoryLimit})
            cmd(index)->setEnabled(yes);
    };
    usable(true);
    restorePreview_.Reset({});
    newestStep_ = -1;
    std::vector<history::Step> steps;
    history::StepLabels labels;
    const history::HistoryPlace place(pv_);
    bool standing = false;
    try {
        if (place.Exists()) {
            steps = place.ReadIndex();
            labels = history::ReadLabels(place);
            standing = history::RestoreStands(place);
        }
    } catch (const platform::RuntimeError& error) {
        auto* told = new QListWidgetItem(Q(error.Description()), list);
        told->setFlags(Qt::ItemIsEnabled);
        lbl(lbl::kHistorySize)->setText("The history of this installation cannot be read.");
        usable(false);
        cmd(cmd::kRepairHistory)->show();
        cmd(cmd::kCloseRestore)->hide();
        return;
    }
    cmd(cmd::kRepairHistory)->hide();
    cmd(cmd::kCloseRestore)->setVisible(standing);
    restorePreview_.Reset(steps);
    newestStep_ = steps.empty() ? history::StartOf(place, steps).Number : steps.back().Number;
    std::map<int, int> undoneBy;
    for (const history::Step& step : steps)
        for (int undone : step.Undoes) undoneBy[undone] = step.Number;
    bool undoable = false;
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        const auto undone = undoneBy.find(step->Number);
        std::string text = std::to_string(step->Number) + "   " + WhenText(step->When) + "   " +
                           step->User + "   " + step->Summary;
        if (const auto label = labels.find(step->Number); label != labels.end())
            text += "   \"" + label->second + "\"";
        if (undone != undoneBy.end())
            text += "   (undone by step " + std::to_string(undone->second) + ")";
        else if (!step->IsUndo)
            undoable = true;
        auto* entry = new QListWidgetItem(Q(text), list);
        entry->setData(kStepRole, step->Number);
        entry->setData(kIsStepRole, true);
        entry->setData(kOlderRole, step != std::prev(steps.rend()));
    }
    // The state before the oldest step kept: before Movrand, when nothing was forgotten.
    const history::StartingPoint start = history::StartOf(place, steps);
    auto* before = new QListWidgetItem(Q(std::to_string(start.Number) + "   " + start.Text), list);
    before->setData(kStepRole, start.Number);
    int row = 0;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->data(kStepRole).toInt() == chosen) row = i;
    list->setCurrentRow(row);
    emit list->currentRowChanged(row);  // the buttons of the entry, also when the row is the same
    cmd(cmd::kUndoLast)->setEnabled(undoable);
    lbl(lbl::kHistorySize)
        ->setText(standing         ? Q(history::StandingText(place) + ".")
                  : place.Exists() ? Q(SizeLine(place, steps.size()))
                                   : QString("Movrand has not changed this installation yet."));
}

void frmMovrand::UndoLast() {
    history::RestorePlan plan;
    {
        const PageAtWork busy(ui_, fra(fra::kHistoryPage));
        plan = history::PlanUndo(pv_);
    }
    const history::HistoryPlace place(pv_);
    const std::string name = plan.Reverse.empty() || !place.Exists()
                                 ? ""
                                 : StepName(place.ReadIndex(), plan.Reverse.front());
    ShowPlannedChanges(plan, "Undoing " + name);
    CarryOutRestore(plan, "Undo " + name + "?");
}

void frmMovrand::RestoreToHere() {
    const QListWidgetItem* chosen = lst(lst::kHistorySteps)->currentItem();
    if (!chosen) {
        ui_.ShowMessage("Please select the step to restore the installation to.");
        return;
    }
    const int step = chosen->data(kStepRole).toInt();
    history::RestorePlan plan;
    {
        const PageAtWork busy(ui_, fra(fra::kHistoryPage));
        plan = history::PlanRestore(pv_, step);
    }
    const std::string name = RestoredStateName(step);
    ShowPlannedChanges(plan, "Restoring the installation " + name);
    CarryOutRestore(plan, "Restore the installation " + name + "?");
}

std::string frmMovrand::RestoredStateName(int step) {
    const history::HistoryPlace place(pv_);
    return step == 0 || !place.Exists() ? "before Movrand changed it"
                                        : "as it was after " + StepName(place.ReadIndex(), step);
}

void frmMovrand::CarryOutRestore(const history::RestorePlan& plan, const std::string& question) {
    if (!plan.Refusal.empty()) {
        ui_.ShowMessage(plan.Refusal);
        return;
    }
    platform::Question ask;
    ask.Message = question + " It changes " + history::CountText(plan.Count) + ".";
    if (!ui_.AskYesNo(ask) || !MayChangeWhileGameRuns(pv_, ui_)) return;
    history::RestoreResult result;
    {
        const PageAtWork busy(ui_, fra(fra::kHistoryPage));
        NormalPointerUi asking(ui_);
        result = history::CarryOut(pv_, asking, plan);
    }
    if (result.Outcome != history::RestoreOutcome::Done && !result.Message.empty())
        ui_.ShowMessage(result.Message);
    if (result.Outcome == history::RestoreOutcome::Declined) return;
    ShowRestoredState();
}

// Every page shows the installation as the restore left it, driver.ini's roster included.
void frmMovrand::ShowRestoredState() {
    const QListWidgetItem* chosen = lst(lst::kHistorySteps)->currentItem();
    const int step =
        chosen && chosen->data(kStepRole).isValid() ? chosen->data(kStepRole).toInt() : -1;
    if (!pv_.DriverIniFile.empty())
        StripIniHeaders(pv_, ui_, pv_.DriverIniFile, pv_.DriverWorkFile);
    ShowHistorySelecting(step);
    ShowAddOnFolder();
    FillCarNumberList();
    LoadDriverList();
    if (!fra(fra::kRemoveModePanel)->isHidden()) ListInstalledItems();
    for (int index : {dir::kSourceFolder, dir::kDestinationFolder}) ShowFolderAsItIs(dir(index));
}

void frmMovrand::CheckForChanges() {
    std::vector<history::HandChange> changes;
    {
        const PageAtWork busy(ui_, fra(fra::kHistoryPage));
        changes = history::VerifyInstallation(pv_);
    }
    ShowCheckedChanges(changes);
}

}  // namespace movrand::mainwindow
