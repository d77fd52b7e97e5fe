// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/ProgramValues.h"
#include "history/StepRecord.h"
#include "wine/FileSystem.h"

namespace movrand::history {

// The installation's history folder, `movrand\history\` in the GPL folder beside driver.ini:
//   index          one line per step, oldest first (what `history` lists, read alone)
//   steps\N.step   each step whole
//   content\ab\…   the bytes of files the steps replaced or deleted, once each, by fingerprint
//   kept\…         folders the steps deleted, kept whole
//   pending.step   the step being recorded (a run cut short leaves it for the next start)
//   restore.step   a restore or undo under way
//   limit          the size the history keeps within, in bytes
//   labels         the names the player gave steps, one line each
// The limit a new history gets from the free space of its disk: a quarter of it, from 1 GB
// to 5 GB.
std::uint64_t MeasuredLimit(std::uint64_t freeBytes);

class HistoryPlace {
  public:
    // The history of the installation in use (pv.GPLPath); Exists() is false without one.
    explicit HistoryPlace(const ProgramValues& pv);
    // The history of another installation folder (ending with "\" or not).
    HistoryPlace(const ProgramValues& pv, const std::string& installation);

    bool Exists() const;
    // Makes the folders (and the limit, a quarter of the free space, from 1 GB to 5 GB).
    void Create();
    // Makes one of the history's folders where it is missing. One that is not a folder (a link
    // above all) is refused by its name: nothing of the history is written anywhere else.
    void MakeFolder(const std::string& folder);

    const std::string& Installation() const { return installation_; }  // ends without "\"
    const std::string& Folder() const { return folder_; }
    std::filesystem::path Native(const std::string& windows) const { return fs_.Native(windows); }
    std::filesystem::path NativeFolder() const { return fs_.Native(folder_); }
    std::string Index() const { return folder_ + "\\index"; }
    std::string StepFile(int number) const;
    std::string Pending() const { return folder_ + "\\pending.step"; }
    std::string RestoreJournal() const { return folder_ + "\\restore.step"; }
    std::string LimitFile() const { return folder_ + "\\limit"; }
    std::string LabelsFile() const { return folder_ + "\\labels"; }
    std::string ContentFolder() const { return folder_ + "\\content"; }
    std::string KeptFolder() const { return folder_ + "\\kept"; }
    std::filesystem::path ContentOf(const std::string& hash) const;
    // The content of one of the history's own records (the index, a step file, the journals):
    // only a regular file, never a link, and within the size such a record can reach (16 MB for
    // the index, the limit and the labels, 64 MB for the others); anything else is refused by its
    // name.
    std::string ReadRecord(const std::string& file) const;
    std::string KeptPath(const std::string& name) const { return KeptFolder() + "\\" + name; }

    // The steps of the index, oldest first (summary lines only). A damaged line raises,
    // naming the index.
    std::vector<Step> ReadIndex() const;
    // The numbers of the step files in steps\, smallest first.
    std::vector<int> StepFileNumbers() const;
    // True when the index is missing while step files remain (it must be rebuilt before use).
    bool IndexLost() const;
    // Writes the index anew from the step files; returns how many it lists. A step file that
    // cannot be read raises, naming it, and the index is left as it was.
    int RepairIndex();
    // Steps before this one were forgotten (1 when none were).
    int FirstKept() const;
    // The number the next step gets.
    int NextNumber() const;
    Step ReadStep(int number) const;
    // A step recorded where the installation stood before it was moved (or its prefix copied
    // elsewhere under another path) gets the paths inside the installation where it stands now;
    // stored car folders outside it keep theirs.
    void FollowInstallation(Step& step) const;
    // Where the installation stood when a step that names none was made, found by its paths;
    // "" when it stands there still, or nothing tells.
    std::string FormerInstallation(const Step& step) const;
    // Adds a step: its file written whole and synced, then its index line.
    void AddStep(const Step& step);
    // Adds the index line of a step whose file is written.
    void ListStep(const Step& step);
    // Keeps only the steps from `first` on in the index (written whole).
    void KeepFrom(int first, const std::vector<Step>& kept);

    std::uint64_t Limit() const;
    void SetLimit(std::uint64_t bytes);
    // What the history takes on the disk: kept content and folders, and the records.
    std::uint64_t Size() const;

    // Where the installation is its group's to write (a prefix shared by a group), gives an
    // entry of the history that this user made the installation's group, and the group what its
    // owner may do with it: so every user of the group can record, undo and restore.
    void Share(const std::filesystem::path& native) const;
    void Share(const std::string& windows) const { Share(fs_.Native(windows)); }

    platform::FileSystem& Files() { return fs_; }
    const platform::FileSystem& Files() const { return fs_; }

    // Raises, naming the history file, when the test hook makes this write or sync of it fail
    // ("write" or "sync").
    void FaultOf(const std::string& what, const std::string& file) const;
    // The error a test hook makes the next write or sync of a history file fail with; 0 for none.
    int RecordFault(const std::string& what) const;

  private:
    platform::FileSystem fs_;  // unwatched: the history's own files are no step
    platform::FaultPlan* faults_ = nullptr;
    std::string installation_;
    std::string folder_;
    struct stat installationFacts_ {};
    mutable std::string contentNative_;  // the content folder's native path, once resolved
};

}  // namespace movrand::history
