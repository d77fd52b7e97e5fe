// SPDX-License-Identifier: GPL-3.0-or-later
#include "roster/TeamTable.h"

#include "platform/Text.h"

namespace movrand {

namespace {
const std::vector<Team>& Teams() {
    static const std::vector<Team> teams = {
        {0, "Brabham", "brabham", "bra", 105, " Brabham ", " Brabham Driver "},
        {1, "BRM", "brm", "brm", 106, " BRM ", " BRM Driver "},
        {2, "Cooper", "coventry", "cov", 107, " Cooper ", " Cooper Driver "},
        {3, "Eagle", "eagle", "eag", 108, " Eagle ", " Eagle Driver "},
        {4, "Ferrari", "ferrari", "fer", 109, " Ferrari ", " Ferrari Driver "},
        {5, "Lotus", "lotus", "lot", 110, " Lotus ", " Lotus Driver "},
        {6, "Honda", "murasama", "mur", 111, " Honda ", " Honda Driver "},
    };
    return teams;
}
}  // namespace

const Team* TeamByNumber(int number) {
    if (number < 0 || number >= static_cast<int>(Teams().size())) return nullptr;
    return &Teams()[static_cast<std::size_t>(number)];
}

const std::vector<Team>& TeamsInListOrder() {
    static const std::vector<Team> ordered = {Teams()[0], Teams()[1], Teams()[2], Teams()[3],
                                              Teams()[4], Teams()[6], Teams()[5]};
    return ordered;
}

int TeamNumberOfFolder(const std::string& name) {
    const std::string lower = platform::LowerCase(name);
    if (lower == "cooper") return 2;
    if (lower == "honda") return 6;
    for (const Team& team : Teams())
        if (team.Folder == lower) return team.Number;
    return -1;
}

const Team* TeamByDisplayName(const std::string& name) {
    for (const Team& team : Teams())
        if (platform::EqualsNoCase(team.DisplayName, name)) return &team;
    return nullptr;
}

const std::vector<std::string>& GameTeamFolders() {
    static const std::vector<std::string> folders = {"brabham", "brm",   "coventry", "eagle",
                                                     "ferrari", "lotus", "murasama"};
    return folders;
}

}  // namespace movrand
