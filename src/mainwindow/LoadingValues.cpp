// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/LoadingValues.h"

#include <filesystem>

#include "roster/TeamTable.h"

namespace movrand::mainwindow {

std::vector<std::string> CarNumberEntries() {
    std::vector<std::string> numbers;
    for (int n = 1; n <= 99; ++n) numbers.push_back(std::to_string(n));
    return numbers;
}

std::vector<ListEntry> TeamListEntries() {
    std::vector<ListEntry> entries;
    for (const Team& team : TeamsInListOrder()) entries.push_back({team.DisplayName, team.Number});
    return entries;
}

std::string GplPathCaption(const std::string& gplPath) {
    return "  " + gplPath;
}

std::string GplPrefixCaption(const std::string& prefix) {
    // A prefix that is not there (no ~/.wine yet) is none to name.
    std::error_code missing;
    if (prefix.empty() || !std::filesystem::is_directory(prefix, missing)) return std::string();
    return "  in the Wine prefix " + prefix;
}

}  // namespace movrand::mainwindow
