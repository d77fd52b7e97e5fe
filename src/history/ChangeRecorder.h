// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "history/HistoryPlace.h"
#include "history/StepRecord.h"
#include "platform/ChangeWatch.h"
#include "platform/DiskSync.h"
#include "platform/RuntimeError.h"

namespace movrand::history {

// What a file or folder at a native path is now; a file's bytes fingerprinted. `folder`, when
// given, is the open folder that holds it: it is looked at there by its name.
FileState StateOf(const std::filesystem::path& native, int folder = -1);
// The system's clock, which stamps the files' change times, in nanoseconds since the epoch.
std::int64_t NowNs();

// Records one step while it runs: hears of every change the file-system service makes inside the
// installation (and the stored car folders a step names), keeps what a change is about to
// overwrite or delete in the history's content by fingerprint (a link to the same bytes where
// it can), takes a deleted folder into the history whole, and notes a moved folder as one move.
// Changes are grouped between moves: the state after each group is taken when it closes, so a
// step can be taken back group by group, newest first. Each change is also appended to the
// pending journal before it is made, which the next start settles if the run ends before the
// step does. The journal is written ahead: before anything the program syncs reaches the disk,
// the journal and the content it kept are synced (one sync of the installation's file system,
// and only when the journal grew since the last), so a power cut never leaves a change on the
// disk that the journal does not tell of.
class ChangeRecorder : public platform::ChangeWatch, public platform::WriteAheadRecord {
  public:
    ChangeRecorder(HistoryPlace& place, Step header);
    // Goes on with the step a run cut short left unfinished (read by ReadPendingStep): its
    // changes so far are this step's first, and its journal is written anew to go on from there.
    ChangeRecorder(HistoryPlace& place, Step unfinished, bool goesOn);
    ~ChangeRecorder() override;

    bool Before(const platform::Change& change) override;
    void After(const platform::Change& change) override;
    int SyncFirst() override;
    std::string Shown() const override { return place_.Pending(); }

    // A folder outside the installation the step may change (a stored car folder), with the
    // folders beside it that the swap names after it ("NAME.movrand-…").
    // `token`: the one the swap marks it with (StepPlaces.h).
    void AddRoot(const std::string& windowsFolder, const std::string& token = "");
    void SetSummary(std::string summary) { step_.Summary = std::move(summary); }
    const std::string& Summary() const { return step_.Summary; }
    void MarkUndoOf(std::vector<int> steps, bool isUndo);
    // The history's steps, oldest first, as the caller read them: what the newest left is known
    // from them instead of reading them again.
    void KnowSteps(const std::vector<Step>& steps);

    // Closes the last group and returns the step with only the paths whose state changed;
    // empty Changes: the step changed nothing (the content it kept is then let go). Called once,
    // last: the recorder gives the step up.
    Step Finish();
    // The pending journal (empty when nothing was recorded).
    bool Started() const { return journal_ != nullptr; }
    // A write or sync of the journal failed: the step cannot be told as it ran, so the operation
    // stops and what it changed is taken back. The error names the journal.
    const std::optional<platform::RuntimeError>& Failure() const { return failure_; }
    // Lets go of the content kept for the step (it was taken back, and no step names it).
    void LetGoKept();
    // The files the service writes are fingerprinted as they are written.
    bool TakesFingerprints() const override { return true; }
    void Wrote(const platform::WrittenFile& file) override;

  private:
    bool InScope(const std::filesystem::path& native) const;
    bool InHistory(const std::filesystem::path& native) const;
    void Touch(const std::filesystem::path& native, bool copy, int folder = -1,
               const platform::FileFacts* looked = nullptr);
    void CloseGroup();
    FileState StateAfter(const std::string& native) const;
    void Journal(const std::string& line);
    void WriteJournal(const std::string& text);
    [[noreturn]] void Fail(int error);
    void OpenJournal(int how);
    void StopWritingAhead();
    bool Recorded(const platform::Change& change) const;
    void Moving(const platform::Change& change);
    std::string Windows(const std::filesystem::path& native) const;
    std::filesystem::path ContentOf(const std::string& hash) const;
    // What the newest steps left at a path (Windows notation), when they knew the file's look.
    const FileState* KnownAt(const std::string& windows);
    void Know(const Step& step);
    static constexpr int kStepsKnown = 16;

    HistoryPlace& place_;
    Step step_;
    std::filesystem::path installation_;
    std::filesystem::path history_;
    std::filesystem::path contentFolder_;
    std::vector<std::filesystem::path> roots_;
    std::unordered_map<std::string, std::size_t> group_;  // native path -> change
    // Files of the open group the service wrote, fingerprinted as they were written.
    std::unordered_map<std::string, platform::WrittenFile> written_;
    // The folders of the open group's files, held open as the service had them.
    std::unordered_map<std::string, std::unique_ptr<platform::Descriptor>> folders_;
    std::vector<std::filesystem::path> addedContent_;
    // The content folder and the folders in it, held open once made or looked at.
    std::unique_ptr<platform::Descriptor> content_;
    std::map<std::string, std::unique_ptr<platform::Descriptor>> buckets_;
    std::FILE* journal_ = nullptr;
    bool journalSynced_ = true;
    bool writingAhead_ = false;
    platform::WriteAheadRecord* before_ = nullptr;  // the record that went first before this one
    int kept_ = 0;
    std::optional<platform::RuntimeError> failure_;
    std::unordered_map<std::string, FileState> known_;
    bool knownRead_ = false;
};

}  // namespace movrand::history
