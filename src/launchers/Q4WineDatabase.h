// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace movrand::platform {

// A prefix of q4wine: its name (what `q4wine-cli -p` takes), its folder and the folders of the
// programs its icons start.
struct Q4WinePrefix {
    std::string Name;
    std::filesystem::path Path;
    std::vector<std::filesystem::path> Folders;
};

// The prefixes q4wine's database (~/.config/q4wine/db/generic.dat, SQLite: table `prefix` with
// `id`, `name` and `path`; table `icon` with `prefix_id`, `exec` and `wrkdir`) names by a folder
// of their own, in the order of their ids. q4wine takes the prefix "Default", or one without a
// path, as ~/.wine: those are left to plain Wine. Read as ReadLauncherDatabase reads.
std::vector<Q4WinePrefix> ReadQ4WineDatabase(const std::filesystem::path& database);

}  // namespace movrand::platform
