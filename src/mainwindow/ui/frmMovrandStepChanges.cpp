// SPDX-License-Identifier: GPL-3.0-or-later
// The "History" page's list of what changed, fed from the steps, the check for files changed by
// hand and the plans of an undo or a restore.
#include "history/ChangesView.h"
#include "history/HistoryPlace.h"
#include "history/HistoryRestore.h"
#include "mainwindow/ui/ControlSetup.h"
#include "mainwindow/ui/StepChangesPane.h"
#include "mainwindow/ui/frmMovrand.h"
#include "platform/RuntimeError.h"

namespace movrand::mainwindow {

void frmMovrand::ShowStepChanges(int step) {
    auto* pane = static_cast<StepChangesPane*>(fra(fra::kStepChanges));
    if (!pane) return;
    if (step < 0) return pane->ShowHeading("");
    try {
        const history::HistoryPlace place(pv_);
        for (const history::Step& listed :
             place.Exists() ? place.ReadIndex() : std::vector<history::Step>{})
            if (listed.Number == step)
                return pane->Show(history::ViewOfStep(place, place.ReadStep(step)));
    } catch (const platform::RuntimeError& error) {
        return pane->ShowHeading(error.Description());
    }
    // The state before the oldest step kept: no step of its own.
    pane->ShowHeading(
        "No step of its own: \"Restore to Here\" lists what going back to it changes.");
}

void frmMovrand::ShowCheckedChanges(const std::vector<history::HandChange>& changes) {
    auto* pane = static_cast<StepChangesPane*>(fra(fra::kStepChanges));
    pane->Show(history::ViewOfCheck(history::HistoryPlace(pv_), changes));
    if (!changes.empty()) pane->Lines()->setFocus(Qt::OtherFocusReason);
}

void frmMovrand::ShowPlannedChanges(const history::RestorePlan& plan, const std::string& what) {
    if (!plan.Refusal.empty()) return;
    static_cast<StepChangesPane*>(fra(fra::kStepChanges))
        ->Show(history::ViewOfPlan(history::HistoryPlace(pv_), plan, what));
}

}  // namespace movrand::mainwindow
