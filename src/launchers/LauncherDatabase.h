// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace movrand::platform {

// The rows of a query over a launcher's SQLite database, each row `columns` texts (a NULL is
// ""), at most `mostRows` of them. The first of `queries` that fits the database's tables is
// used (older versions of a launcher lack newer columns). The database is only read: opened as
// an immutable file (no lock taken or waited for, no journal looked at), refused beyond a size
// no real library reaches, and a damaged, truncated or hostile one gives nothing, or what was
// read before the damage, within bounded time and memory.
std::vector<std::vector<std::string>> ReadLauncherDatabase(
    const std::filesystem::path& database, std::initializer_list<const char*> queries, int columns,
    std::size_t mostRows);

}  // namespace movrand::platform
