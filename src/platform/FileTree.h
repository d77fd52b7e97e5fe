// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace movrand::platform {

// One regular file found under a folder, with what tells whether it changed since it was last
// fingerprinted.
struct TreeFile {
    std::string Name;  // relative to the folder, "/" between names, as stored on disk
    std::uint64_t Size = 0;
    std::uint64_t Device = 0;
    std::uint64_t Number = 0;  // the inode
    std::int64_t ModifiedNs = 0;
    std::int64_t ChangedNs = 0;
    // False while only the listing told of it: then only the name, the inode and the device the
    // listing gave stand here, to be confirmed by a look at the file.
    bool Looked = true;
};

// Everything under a folder: its regular files, its folders, and what is neither (links, FIFOs,
// devices), each relative to it. Links are never followed. Raises the platform's error when the
// folder cannot be opened. `lookAtFiles` false: the files are not looked at one by one where the
// listing tells what each entry is (they are not `Looked`).
struct FileTree {
    std::vector<TreeFile> Files;
    std::vector<std::string> Folders;
    std::vector<std::string> Odd;
};
FileTree ReadFileTree(const std::filesystem::path& folder, bool lookAtFiles = true);

// Looks at the named files under `folder` (no link followed at a file); one that is no longer a
// regular file there is not `Looked`. Their names are left empty: the caller has them.
std::vector<TreeFile> LookAtFiles(const std::filesystem::path& folder,
                                  const std::vector<std::string>& names);

// The fingerprints (as FastHashOf gives them) of the named files under `folder` (names a
// listing gave as regular files), read on up to two threads at once (see RunOnTwoThreads); the
// first failure is raised, naming its file. `facts`, when given, receives what each file opened
// said of itself just before it was read (without its name, which the caller has).
std::vector<std::string> FastHashesOf(const std::filesystem::path& folder,
                                      const std::vector<std::string>& names,
                                      std::vector<TreeFile>* facts = nullptr);

// Puts a copy of the regular file `source` (no link followed) at the new path `target`: a clone
// sharing the source's blocks where the file system can make one, else a copy. The copy's bytes
// are fingerprinted and must be `hash`; where they are not, the copy is removed and false
// returned. The copy takes the source's modification time and permissions (and may always be
// written by its owner). Nothing is synced: the caller syncs the disk once for all.
bool CopyFileChecked(const std::filesystem::path& source, const std::filesystem::path& target,
                     const std::string& hash);

// Runs `work(i)` for i from 0 to count - 1, on two threads when there are many; the first exception
// is raised once all have stopped, and no new work starts after it.
void RunOnTwoThreads(std::size_t count, const std::function<void(std::size_t)>& work);

}  // namespace movrand::platform
