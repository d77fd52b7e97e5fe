// SPDX-License-Identifier: GPL-3.0-or-later
#include <functional>

#include "cli/CliCall.h"
#include "common/GameRunning.h"
#include "history/HistoryForget.h"
#include "history/HistoryListing.h"
#include "history/HistoryPlace.h"
#include "history/HistoryRepair.h"
#include "history/HistoryRestore.h"
#include "history/HistorySettling.h"
#include "history/RestoreJournal.h"
#include "history/StepLabels.h"
#include "history/StepTime.h"
#include "platform/ErrorTrap.h"

namespace movrand::cli {

namespace {

// Runs a history command; a damaged history is told by name and ends with exit status 1.
CommandOutcome Trapped(Call& c, const std::function<CommandOutcome()>& body) {
    CommandOutcome outcome = CommandOutcome::Refused;
    platform::RunTrapped(c.ui, platform::TrapForm::Common, c.pv.ProgramName,
                         [&] { outcome = body(); });
    return outcome;
}

CommandOutcome Told(Call& c, const history::RestoreResult& result,
                    const history::RestorePlan& plan) {
    if (result.Outcome == history::RestoreOutcome::Done) {
        c.ui.ShowMessage(plan.Summary + " (step " + std::to_string(result.Step) + "). It changed " +
                         history::CountText(plan.Count) + ".");
        return CommandOutcome::Done;
    }
    if (!result.Message.empty()) c.ui.ShowMessage(result.Message);
    return CommandOutcome::Refused;
}

// The state before the oldest step kept, then one line per step, oldest first, its time in the
// local zone and its name, when it has one, in a last column.
CommandOutcome ListSteps(Call& c, const history::HistoryPlace& place) {
    const std::vector<history::Step> steps =
        place.Exists() ? place.ReadIndex() : std::vector<history::Step>{};
    const history::StepLabels labels = history::ReadLabels(place);
    const history::StartingPoint start = history::StartOf(place, steps);
    c.out << start.Number << "\t\t\t" << start.Text << '\n';
    for (const history::Step& step : steps) {
        c.out << step.Number << '\t' << history::LocalStepTime(step.When) << '\t' << step.User
              << '\t' << step.Summary;
        if (const auto label = labels.find(step.Number); label != labels.end())
            c.out << '\t' << label->second;
        c.out << '\n';
    }
    return CommandOutcome::Done;
}

}  // namespace

std::string CheckStepNumber(const CliRequest& request) {
    for (const std::string& operand : request.Operands) {
        if (operand.empty() || operand.size() > 9 ||
            operand.find_first_not_of("0123456789") != std::string::npos)
            return "N must be a step number (0, 1, 2, ...)";
    }
    return "";
}

std::string CheckStepOrRepair(const CliRequest& request) {
    if (request.Operands.size() == 1 &&
        (request.Operands[0] == "repair" || request.Operands[0] == "abandon"))
        return "";
    return CheckStepNumber(request);
}

CommandOutcome History(Call& c) {
    return Trapped(c, [&] {
        history::HistoryPlace place(c.pv);
        if (c.request.Operands.empty()) return ListSteps(c, place);
        if (!place.Exists()) return CommandOutcome::Done;
        if (c.Operand(0) == "repair") {
            c.ui.ShowMessage(history::RepairHistoryRecords(place));
            return CommandOutcome::Done;
        }
        if (c.Operand(0) == "abandon") {
            if (!history::RestoreStands(place)) {
                if (!history::DamagedPendingStep(place).empty()) {
                    c.ui.ShowMessage(history::DamagedPendingSetAsideText(
                        history::SetDamagedPendingAside(place)));
                    return CommandOutcome::Done;
                }
                c.ui.ShowMessage("There is no unfinished restore or undo to close.");
                return CommandOutcome::Done;
            }
            std::string setAside;
            const int part = history::AbandonRestore(place, &setAside);
            c.ui.ShowMessage(history::AbandonedText(part, setAside));
            return CommandOutcome::Done;
        }
        const int number = std::stoi(c.Operand(0));
        for (const history::Step& listed : place.ReadIndex()) {
            if (listed.Number != number) continue;
            for (const history::StepChange& change : place.ReadStep(number).Changes)
                c.out << history::ChangeWord(change) << '\t' << change.Path << '\n';
            return CommandOutcome::Done;
        }
        c.err << "movrand-cli: the history has no step " << number << '\n';
        return CommandOutcome::Refused;
    });
}

// The game holds its files open while it runs. Asked before the plan, which is then carried
// out at once: no question stands between the two.
template <typename MakePlan>
CommandOutcome WalkBack(Call& c, MakePlan makePlan) {
    return Trapped(c, [&] {
        if (!MayChangeWhileGameRuns(c.pv, c.ui)) return CommandOutcome::Refused;
        history::RestorePlan plan = makePlan();
        plan.JustMade = true;
        return Told(c, history::CarryOut(c.pv, c.ui, plan), plan);
    });
}

CommandOutcome Undo(Call& c) {
    return WalkBack(c, [&] { return history::PlanUndo(c.pv); });
}

CommandOutcome Restore(Call& c) {
    return WalkBack(c, [&] { return history::PlanRestore(c.pv, std::stoi(c.Operand(0))); });
}

CommandOutcome Verify(Call& c) {
    return Trapped(c, [&] {
        const std::vector<history::HandChange> changes = history::VerifyInstallation(c.pv);
        for (const history::HandChange& change : changes)
            c.out << change.What << '\t' << change.Path << '\n';
        return changes.empty() ? CommandOutcome::Done : CommandOutcome::Refused;
    });
}

CommandOutcome Forget(Call& c) {
    return Trapped(c, [&] {
        history::HistoryPlace place(c.pv);
        if (!place.Exists()) return CommandOutcome::Done;
        const int first = std::stoi(c.Operand(0));
        history::RefuseWhileRestoreStands(place);
        if (!history::AskToForget(place, first, c.ui)) return CommandOutcome::Refused;
        const history::ForgetResult result = history::ForgetStepsBefore(place, first);
        c.ui.ShowMessage(history::ForgottenText(result, place));
        return CommandOutcome::Done;
    });
}

std::string CheckLabel(const CliRequest& request) {
    CliRequest number = request;
    number.Operands.resize(1);
    return CheckStepNumber(number);
}

CommandOutcome Label(Call& c) {
    return Trapped(c, [&] {
        history::HistoryPlace place(c.pv);
        const int number = std::stoi(c.Operand(0));
        bool listed = false;
        if (place.Exists())
            for (const history::Step& step : place.ReadIndex())
                listed = listed || step.Number == number;
        if (!listed) {
            c.ui.ShowMessage("There is no step " + std::to_string(number) + " in the history.");
            return CommandOutcome::Refused;
        }
        const std::string label =
            history::SetLabel(place, number, c.request.Operands.size() > 1 ? c.Operand(1) : "");
        c.ui.ShowMessage(label.empty()
                             ? "Step " + std::to_string(number) + " has no name now."
                             : "Step " + std::to_string(number) + " is named \"" + label + "\".");
        return CommandOutcome::Done;
    });
}

CommandOutcome HistorySize(Call& c) {
    return Trapped(c, [&] {
        history::HistoryPlace place(c.pv);
        if (!c.request.Operands.empty()) {
            if (!history::ChangeLimit(place, std::stoull(c.Operand(0)) << 20, c.ui))
                return CommandOutcome::Refused;
        }
        c.out << "size\t" << (place.Exists() ? place.Size() : 0) << "\nlimit\t"
              << (place.Exists() ? place.Limit() : 0) << '\n';
        return CommandOutcome::Done;
    });
}

}  // namespace movrand::cli
