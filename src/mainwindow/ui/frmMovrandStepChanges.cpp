// SPDX-License-Identifier: GPL-3.0-or-later
// The "History" page's lists of what changed, fed from the steps, the check for files changed by
// hand and the plans of an undo or a restore; what a restore to the selected step would change is
// worked out from the step records alone, so moving the selection never waits for the files.
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
    pane->ShowHeading("", StepChangesPane::kRestore);
    if (step < 0) return pane->ShowHeading("");
    try {
        const history::HistoryPlace place(pv_);
        bool own = false;
        for (const history::Step& listed :
             place.Exists() ? place.ReadIndex() : std::vector<history::Step>{})
            if (listed.Number == step) {
                pane->Show(history::ViewOfStep(place, place.ReadStep(step)));
                own = true;
            }
        // The state before the oldest step kept: no step of its own.
        if (!own) pane->ShowHeading("No step of its own.");
        if (step == newestStep_) {
            pane->ShowHeading(
                "The installation is as this step left it: a restore to it changes "
                "nothing.",
                StepChangesPane::kRestore);
        } else {
            pane->Show(restorePreview_.View(
                           place, step, "Restoring the installation " + RestoredStateName(step)),
                       StepChangesPane::kRestore);
        }
    } catch (const platform::RuntimeError& error) {
        pane->ShowHeading(error.Description());
    }
}

void frmMovrand::ShowCheckedChanges(const std::vector<history::HandChange>& changes) {
    auto* pane = static_cast<StepChangesPane*>(fra(fra::kStepChanges));
    pane->Show(history::ViewOfCheck(history::HistoryPlace(pv_), changes));
    if (!changes.empty()) pane->Lines()->setFocus(Qt::OtherFocusReason);
}

void frmMovrand::ShowPlannedChanges(const history::RestorePlan& plan, const std::string& what) {
    if (!plan.Refusal.empty()) return;
    static_cast<StepChangesPane*>(fra(fra::kStepChanges))
        ->Show(history::ViewOfPlan(history::HistoryPlace(pv_), plan, what),
               StepChangesPane::kRestore);
}

}  // namespace movrand::mainwindow
