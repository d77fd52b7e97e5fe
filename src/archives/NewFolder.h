// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace movrand::platform {
class FaultPlan;
}

namespace movrand::archives {

// A folder this run makes from nothing and fills, opened by descriptor: every folder and file
// inside is created new (never an existing one, never through a link) relative to its parent's
// descriptor. Until Keep, the destructor removes the folder with everything in it. While it
// lives it holds a lock on the folder, so that other runs can tell it from one a killed run left.
class NewFolder {
  public:
    // Makes `name` (not yet existing) in the native folder `parent`. Raises RuntimeError.
    NewFolder(const std::string& parent, const std::string& name,
              platform::FaultPlan* faults = nullptr);
    ~NewFolder();
    NewFolder(const NewFolder&) = delete;
    NewFolder& operator=(const NewFolder&) = delete;

    const std::string& Name() const { return name_; }

    // Makes the folder `parts` (and those above it) where it does not exist yet.
    void MakeFolder(const std::vector<std::string>& parts);
    // A new file at `parts`, open for writing: the descriptor, closed by CloseFile.
    int CreateFile(const std::vector<std::string>& parts);
    void Write(int fd, const void* data, std::size_t size, std::int64_t offset, bool first);
    void CloseFile(int fd, std::int64_t modifiedTime);

    // Writes everything to the disk, then gives the folder the name `finalName` in the same
    // parent, unless that name is taken (false then, and nothing changes). Its parent is
    // synced so the new name survives a power cut.
    bool SyncAndRenameTo(const std::string& finalName);
    // From now on the folder is the caller's: the destructor leaves it.
    void Keep() { kept_ = true; }

  private:
    int FolderAt(const std::vector<std::string>& parts, std::size_t count);
    void Step(const std::string& what, const std::vector<std::string>& parts);

    int parentFd_ = -1;
    int rootFd_ = -1;
    std::string parent_;
    std::string name_;
    platform::FaultPlan* faults_;
    std::map<std::string, int> folders_;  // open descriptors of folders made, by relative path
    bool kept_ = false;
};

// Removes what killed runs left in the native folder `parent`: the folders named "*<suffix>" that
// no NewFolder holds and that have not changed for a minute (a folder just made is not locked
// yet). Errors are ignored: nothing depends on it.
void RemoveAbandonedFolders(const std::string& parent, const std::string& suffix);

// Removes `name` in the folder of descriptor `parentFd` with all it holds, never following a
// link. Errors are ignored: this is cleaning up after a failure.
void RemoveTreeAt(int parentFd, const std::string& name);

}  // namespace movrand::archives
