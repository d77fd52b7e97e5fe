// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace movrand::mainwindow {

// One entry of a drop-down list with the number it carries as item data.
struct ListEntry {
    std::string Text;
    int ItemData = 0;
};

// The car-number list cbo::kCarNumbers: "1" to "99" in rising order (no "0").
std::vector<std::string> CarNumberEntries();

// The team list cbo::kTeams: the seven teams in display order (Brabham, BRM, Cooper, Eagle,
// Ferrari, Honda, Lotus), each carrying its team number (so Honda 6 stands before Lotus 5).
std::vector<ListEntry> TeamListEntries();

// lbl::kCurrentInstallation on the "GPL Directory" page: two blanks, then the installation folder.
std::string GplPathCaption(const std::string& gplPath);
// The line under it: the Wine prefix the installation lives in ("" when the run has none, or
// its prefix does not exist).
std::string GplPrefixCaption(const std::string& prefix);

}  // namespace movrand::mainwindow
