// SPDX-License-Identifier: GPL-3.0-or-later
#include "folders/CarFolderCount.h"

#include <algorithm>

#include "platform/Text.h"
#include "roster/TeamTable.h"

namespace movrand {

int CountTeamFolders(const platform::FileSystem& fs, const std::string& folder) {
    const std::vector<std::string>& teams = GameTeamFolders();
    int count = 0;
    for (const std::string& name : fs.FolderNames(folder)) {
        if (std::find(teams.begin(), teams.end(), platform::LowerCase(name)) != teams.end())
            ++count;
    }
    return count;
}

}  // namespace movrand
