// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/LoadingValues.h"

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
    return prefix.empty() ? std::string() : "  in the Wine prefix " + prefix;
}

}  // namespace movrand::mainwindow
