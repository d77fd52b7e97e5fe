// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace movrand::platform {

// One game of Lutris's database (pga.db, table `games`).
struct LutrisDatabaseGame {
    std::string Id;          // its number, as text
    std::string Slug;        // "grand-prix-legends"
    std::string Directory;   // its folder ("" when none is kept)
    std::string ConfigPath;  // its game file's name without ".yml" ("" when none is kept)
};

// The games of a pga.db, in the order of their ids. The database is only read: opened as an
// immutable file (no lock taken or waited for, no journal looked at), refused beyond a size no
// real library reaches, and a damaged, truncated or hostile one gives nothing, or what was read
// before the damage, within bounded time and memory.
std::vector<LutrisDatabaseGame> ReadLutrisDatabase(const std::filesystem::path& database);

}  // namespace movrand::platform
