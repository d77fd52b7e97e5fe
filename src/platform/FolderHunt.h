// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace movrand::platform {

// How far a hunt goes below its root.
struct HuntBounds {
    int Depth = 4;                    // levels of folders below the root that are looked into
    std::size_t MostFolders = 20000;  // folders listed at most, the root included
};

// The hunt for the folders that hold some files, over one drive's folder. It never leaves the
// root's file system (a folder another file system is mounted on is not entered, nor looked at,
// so a network mount that hangs is never touched), never follows a link, never walks /proc,
// /sys or /dev, nor a root that lies on a network or automounted file system.
class FolderHunt {
  public:
    // Reads the mount table once; a hunt made without one still keeps to the root's device. All
    // the walks of one hunt together list at most `mostFolders` folders: two drives' worth, so
    // a home of many crowded prefixes costs a first start no more than two such drives do.
    explicit FolderHunt(std::size_t mostFolders = 40000);

    // Whether a root may be walked at all.
    bool MayWalk(const std::filesystem::path& root) const;

    // The folders under `root` (the root itself first, as "") holding every one of `files`
    // (lower-case names, matched without regard to case), as names relative to the root with
    // "\" between them: breadth first, by name within a folder. `skipAtTop` (lower case) is not
    // entered where it stands directly in the root. Nothing when the root may not be walked.
    std::vector<std::string> FoldersHolding(const std::filesystem::path& root,
                                            const std::vector<std::string>& files,
                                            const std::string& skipAtTop, const HuntBounds& bounds);

  private:
    std::size_t foldersLeft_;
    std::map<std::string, std::string> mounts_;  // mount point to its file system type
};

}  // namespace movrand::platform
