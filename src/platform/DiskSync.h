// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

#include "platform/FileHandles.h"
#include "platform/RuntimeError.h"

namespace movrand::platform {

// What a sync writes to the disk: one file's content, one folder's entries, or everything
// pending on a file system.
enum class SyncKind { File, Folder, FileSystem };

// fsync (File, Folder) or syncfs (FileSystem) of an open descriptor: 0, or the system's error.
// A descriptor whose kind cannot be synced (EINVAL) counts as synced.
int SyncToDisk(int fd, SyncKind kind);

// Hears of every sync the program makes: the test hook that models a power cut.
class SyncListener {
  public:
    virtual ~SyncListener() = default;
    virtual void Synced(int fd, SyncKind kind) = 0;
};
// Makes `listener` hear of every sync from now; nullptr: no one.
void ListenToSyncs(SyncListener* listener);

// A record that must reach the disk before anything else the program syncs: it tells of changes
// (and keeps what they replace) before the changes themselves are on the disk, so that a power
// cut never leaves a change on the disk that it does not tell of. Asked before every sync; syncs
// what it wrote since it was last asked, and returns 0 or the system's error (the sync asked
// for then fails too, before anything of its own is written).
class WriteAheadRecord {
  public:
    virtual ~WriteAheadRecord() = default;
    virtual int SyncFirst() = 0;
    // The record's file, as a person reads it, for the error when it cannot be synced.
    virtual std::string Shown() const { return ""; }
};
// Makes `record` go to the disk before every sync from now; nullptr: none. Returns the record
// that went first until now.
WriteAheadRecord* SyncFirstEachTime(WriteAheadRecord* record);

// Raises when the last sync failed because the write-ahead record could not be synced first: the
// error names the record's file, the one that failed, and not the one whose sync was asked for.
void RaiseIfRecordFailed(int error);
// The error for a failed sync of `shown` (the record's own where the record failed).
RuntimeError SyncFailure(int error, const std::string& shown, bool isFolder = false);

// The files written under their own names and the folders whose entries changed during one
// piece of work, to be synced before the work is reported done. Each folder is held open, so
// what is synced is what was written, whatever is renamed meanwhile.
class TouchedFiles {
  public:
    // The entries of the open folder `folder` changed, and the files `names` in it were written.
    void Add(int folder, std::vector<std::string> names = {});
    // Syncs everything noted and forgets it: each file and then each folder by fsync when they
    // are few, else the file system of each folder once by syncfs, which costs one wait for the
    // disk however many files there are. Raises the platform's error naming `shown` on failure.
    void Sync(const std::string& shown);
    bool Empty() const { return folders_.empty(); }

  private:
    struct Folder {
        Descriptor Fd;
        dev_t Device = 0;
        ino_t Number = 0;
        std::vector<std::string> Files;
    };
    std::vector<Folder> folders_;
};

}  // namespace movrand::platform
