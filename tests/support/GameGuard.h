// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "FileSnapshot.h"

namespace movrand::test {

// What a failed or interrupted operation on a GPL installation must never break, taken before
// the operation runs: every file under the watched folders (game files, add-on folders, stored
// car folders, backups) and the installation's live car folder.
class GameGuard {
  public:
    static GameGuard Take(const std::vector<std::filesystem::path>& roots,
                          const std::filesystem::path& gpl);

    // Files (native paths) that existed at Take and are now neither in their place nor, with the
    // same name and bytes, anywhere under the watched folders (a backup, a moved folder). Files
    // below one of `excused` do not count: those the operation was asked to delete or replace.
    std::vector<std::string> Lost(const std::vector<std::filesystem::path>& excused = {}) const;

    // "" when the installation's cars\cars67 exists and holds the seven team folders, else what
    // is wrong with it.
    std::string LiveCarFolderProblem() const;

  private:
    std::vector<std::filesystem::path> roots_;
    std::filesystem::path gpl_;
    std::map<std::string, std::string> before_;  // native path -> bytes
};

// "" when `folder` holds the seven team folders of a car folder, else what is wrong with it.
std::string CarFolderProblem(const std::filesystem::path& folder);

// Writes a car folder at `folder`: the seven team folders, each with "<team>.dat" holding
// "<tag> <team>\r\n", so two car folders are told apart by their tags.
void WriteCarFolder(const std::filesystem::path& folder, const std::string& tag);

}  // namespace movrand::test
