// SPDX-License-Identifier: GPL-3.0-or-later
#include "launchers/LutrisDatabase.h"

#include "launchers/LauncherDatabase.h"

namespace movrand::platform {

namespace {

constexpr std::size_t kMostGames = 4096;

}  // namespace

std::vector<LutrisDatabaseGame> ReadLutrisDatabase(const std::filesystem::path& database) {
    std::vector<LutrisDatabaseGame> games;
    // Older databases have no configpath column.
    for (std::vector<std::string>& row :
         ReadLauncherDatabase(database,
                              {"SELECT id, slug, directory, configpath FROM games ORDER BY id",
                               "SELECT id, slug, directory, '' FROM games ORDER BY id"},
                              4, kMostGames))
        games.push_back(
            {std::move(row[0]), std::move(row[1]), std::move(row[2]), std::move(row[3])});
    return games;
}

}  // namespace movrand::platform
