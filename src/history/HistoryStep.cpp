// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStep.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "history/ChangeRecorder.h"
#include "history/HistoryForget.h"
#include "history/HistoryPlace.h"
#include "history/HistoryRestore.h"
#include "history/HistorySettling.h"
#include "history/RestoreJournal.h"
#include "history/StepTime.h"
#include "platform/RuntimeError.h"

namespace movrand::history {

namespace {

std::string LoginName() {
    if (const passwd* entry = ::getpwuid(::geteuid()); entry && entry->pw_name)
        return entry->pw_name;
    const char* user = std::getenv("USER");
    return user ? user : "";
}

std::string ProgramOfRun() {
    const std::string name = program_invocation_short_name;
    return name == "movrand-cli" ? name : "movrand";
}

// The unfinished step is the one `from` finishes: its summary begins as `from` says.
bool GoesOnWith(const Step& unfinished, const HistoryStep::GoesOn& from) {
    if (unfinished.Summary.starts_with(from.Summary)) return true;
    for (const std::string& also : from.AlsoSummaries)
        if (!also.empty() && unfinished.Summary.starts_with(also)) return true;
    return false;
}

}  // namespace

HistoryStep::HistoryStep(ProgramValues& pv, std::string summary, platform::Ui* ui)
    : HistoryStep(pv, std::move(summary), ui, GoesOn{}) {}

HistoryStep::HistoryStep(ProgramValues& pv, std::string summary, platform::Ui* ui,
                         const GoesOn& from)
    : HistoryStep(pv, std::move(summary), ui, from, false) {}

HistoryStep::HistoryStep(ProgramValues& pv, std::string summary, platform::Ui* ui, Restoring)
    : HistoryStep(pv, std::move(summary), ui, GoesOn{}, true) {}

HistoryStep::HistoryStep(ProgramValues& pv, std::string summary, platform::Ui* ui,
                         const GoesOn& from, bool restoring)
    : pv_(pv), ui_(ui) {
    const std::string installation = from.Installation.empty() ? pv.GPLPath : from.Installation;
    if (pv.Env.Watch || installation.empty()) return;
    place_ = std::make_unique<HistoryPlace>(pv, installation);
    if (!place_->Files().FolderExists(place_->Installation())) {
        place_.reset();
        return;
    }
    // Finishing a swap cut short goes on: it comes before the restore's settling at the start.
    if (!restoring && from.Summary.empty()) RefuseWhileRestoreStands(*place_);
    std::optional<Step> unfinished;
    if (place_->Exists()) unfinished = ReadPendingStep(*place_, from.Token);
    if (unfinished && !from.Summary.empty() && GoesOnWith(*unfinished, from)) {
        wentOn_ = true;
        recorder_ = std::make_unique<ChangeRecorder>(*place_, std::move(*unfinished), true);
    } else {
        if (unfinished) RecordCutShort(*place_, std::move(*unfinished));
        Step header;
        header.Number = place_->NextNumber();
        header.When = StepTimeOf(pv.Env.LocalClock->Now());
        header.User = LoginName();
        header.Program = ProgramOfRun();
        header.Summary = std::move(summary);
        header.Installation = place_->Installation();
        recorder_ = std::make_unique<ChangeRecorder>(*place_, std::move(header));
    }
    previous_ = pv.Env.Watch;
    pv.Env.Watch = recorder_.get();
}

HistoryStep::~HistoryStep() {
    try {
        Commit();
    } catch (...) {
        // The pending journal stays; the next start settles the step.
    }
    if (recorder_) pv_.Env.Watch = previous_;
}

void HistoryStep::SetSummary(std::string summary) {
    if (recorder_) recorder_->SetSummary(std::move(summary));
}

std::string HistoryStep::Summary() const {
    return recorder_ ? recorder_->Summary() : "";
}

void HistoryStep::AddRoot(const std::string& windowsFolder, const std::string& token) {
    if (recorder_) recorder_->AddRoot(windowsFolder, token);
}

void HistoryStep::MarkUndoOf(std::vector<int> steps, bool isUndo) {
    if (recorder_) recorder_->MarkUndoOf(std::move(steps), isUndo);
}

void HistoryStep::KnowSteps(const std::vector<Step>& steps) {
    if (recorder_) recorder_->KnowSteps(steps);
}

void HistoryStep::LeaveUnfinished() {
    if (!recorder_) return;
    pv_.Env.Watch = previous_;
    const std::unique_ptr<ChangeRecorder> recorder = std::move(recorder_);
    if (const int error = recorder->SyncFirst())
        throw platform::RuntimeError(
            platform::kDeviceIoError,
            "Cannot write the history file " + place_->Pending() + ": " + std::to_string(error));
}

void HistoryStep::TakeBack(ChangeRecorder& recorder, const Step& step) {
    try {
        TakeBackStep(pv_, *place_, step);
        recorder.LetGoKept();
        platform::FileSystem& files = place_->Files();
        // Its file may be written while its index line failed: no step may name what went back.
        if (files.FileExists(place_->StepFile(step.Number)))
            files.DeleteFile(place_->StepFile(step.Number), true);
        if (files.FileExists(place_->Pending())) files.DeleteFile(place_->Pending(), true);
        files.SyncTouched();
    } catch (const std::exception&) {
        // The journal stays: the next start records what stands as a step cut short.
    }
}

int HistoryStep::Commit() {
    if (!recorder_) return 0;
    pv_.Env.Watch = previous_;
    const std::unique_ptr<ChangeRecorder> recorder = std::move(recorder_);
    const Step step = recorder->Finish();
    const bool started = recorder->Started();
    try {
        if (recorder->Failure()) throw *recorder->Failure();
        if (!step.Changes.empty()) place_->AddStep(step);
    } catch (const platform::RuntimeError&) {
        TakeBack(*recorder, step);
        throw;
    }
    if (started && place_->Files().FileExists(place_->Pending())) {
        place_->Files().DeleteFile(place_->Pending(), true);
        // Else a power cut could bring the journal back and the next start record the step twice.
        place_->Files().SyncTouched();
    }
    if (!step.Changes.empty()) KeepWithinLimit(*place_, ui_);
    return step.Changes.empty() ? 0 : step.Number;
}

}  // namespace movrand::history
