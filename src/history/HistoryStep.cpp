// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStep.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "history/ChangeRecorder.h"
#include "history/HistoryForget.h"
#include "history/HistoryPlace.h"
#include "history/HistorySettling.h"

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

}  // namespace

std::string IsoTime(const platform::LocalTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.Year, t.Month, t.Day,
                  t.Hour, t.Minute, t.Second);
    return text;
}

HistoryStep::HistoryStep(ProgramValues& pv, std::string summary, platform::Ui* ui)
    : pv_(pv), ui_(ui) {
    if (pv.Env.Watch || pv.GPLPath.empty()) return;
    place_ = std::make_unique<HistoryPlace>(pv);
    if (!place_->Files().FolderExists(place_->Installation())) {
        place_.reset();
        return;
    }
    if (place_->Exists()) SettlePendingStep(*place_);
    Step header;
    header.Number = place_->NextNumber();
    header.When = IsoTime(pv.Env.LocalClock->Now());
    header.User = LoginName();
    header.Program = ProgramOfRun();
    header.Summary = std::move(summary);
    recorder_ = std::make_unique<ChangeRecorder>(*place_, std::move(header));
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

void HistoryStep::AddRoot(const std::string& windowsFolder) {
    if (recorder_) recorder_->AddRoot(windowsFolder);
}

void HistoryStep::MarkUndoOf(std::vector<int> steps, bool isUndo) {
    if (recorder_) recorder_->MarkUndoOf(std::move(steps), isUndo);
}

int HistoryStep::Commit() {
    if (!recorder_) return 0;
    pv_.Env.Watch = previous_;
    const std::unique_ptr<ChangeRecorder> recorder = std::move(recorder_);
    const Step step = recorder->Finish();
    const bool started = recorder->Started();
    if (!step.Changes.empty()) place_->AddStep(step);
    if (started && place_->Files().FileExists(place_->Pending())) {
        place_->Files().DeleteFile(place_->Pending(), true);
        // Else a power cut could bring the journal back and the next start record the step twice.
        place_->Files().SyncTouched();
    }
    if (!step.Changes.empty()) KeepWithinLimit(*place_, ui_);
    return step.Changes.empty() ? 0 : step.Number;
}

}  // namespace movrand::history
