// SPDX-License-Identifier: GPL-3.0-or-later
#include "launchers/Q4WineDatabase.h"

#include <map>

#include "launchers/LauncherDatabase.h"

namespace movrand::platform {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMostPrefixes = 4096;
constexpr std::size_t kMostIcons = 16384;

}  // namespace

std::vector<Q4WinePrefix> ReadQ4WineDatabase(const fs::path& database) {
    std::vector<Q4WinePrefix> prefixes;
    std::map<std::string, std::size_t> byId;
    for (std::vector<std::string>& row : ReadLauncherDatabase(
             database, {"SELECT id, name, path FROM prefix ORDER BY id"}, 3, kMostPrefixes)) {
        std::string& path = row[2];
        // q4wine keeps paths without a trailing "/", and mends those it finds with one.
        while (path.size() > 1 && path.back() == '/') path.pop_back();
        if (row[1].empty() || row[1] == "Default" || !path.starts_with("/")) continue;
        byId.emplace(row[0], prefixes.size());
        prefixes.push_back({std::move(row[1]), fs::path(path), {}});
    }
    if (prefixes.empty()) return prefixes;
    for (const std::vector<std::string>& row : ReadLauncherDatabase(
             database, {"SELECT prefix_id, exec, wrkdir FROM icon ORDER BY id"}, 3, kMostIcons)) {
        const auto prefix = byId.find(row[0]);
        if (prefix == byId.end()) continue;
        std::vector<fs::path>& folders = prefixes[prefix->second].Folders;
        if (row[1].starts_with("/")) folders.push_back(fs::path(row[1]).parent_path());
        if (row[2].starts_with("/")) folders.emplace_back(row[2]);
    }
    return prefixes;
}

}  // namespace movrand::platform
