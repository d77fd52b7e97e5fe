// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace movrand {

// One racing team of the game: its number in the roster ("team_number"), the name shown to the
// user, its folder under cars\cars67, the prefix of its car files, its picture and tooltips.
struct Team {
    int Number;
    std::string DisplayName;
    std::string Folder;
    std::string Prefix;
    int PictureId;
    std::string ShortTooltip;
    std::string DriverTooltip;
};

// The team of a team number 0 to 6, or nullptr.
const Team* TeamByNumber(int number);

// The teams in the order the program offers them: Brabham, BRM, Cooper, Eagle, Ferrari, Honda,
// Lotus (so Honda, 6, stands before Lotus, 5).
const std::vector<Team>& TeamsInListOrder();

// The team number of a folder or team name (lower-cased first): "cooper" and "coventry" give 2,
// "honda" and "murasama" 6; anything else -1.
int TeamNumberOfFolder(const std::string& name);

// The team whose display name matches (without regard to case), or nullptr.
const Team* TeamByDisplayName(const std::string& name);

// The game's seven team folder names, lower-cased.
const std::vector<std::string>& GameTeamFolders();

}  // namespace movrand
