// SPDX-License-Identifier: GPL-3.0-or-later
#include "addons/BackupFolder.h"

namespace movrand {

std::string BackupStamp(const std::string& team, const platform::LocalTime& when) {
    return team + std::to_string(when.Day) + std::to_string(when.Month) +
           std::to_string(when.Year) + std::to_string(when.Hour) + std::to_string(when.Minute) +
           std::to_string(when.Second);
}

std::string CreateBackupFolder(const ProgramValues& pv, platform::FileSystem& fs,
                               const std::string& parent, const std::string& team) {
    const std::string parentPath = pv.GPLPath + parent;
    const std::string stamp = BackupStamp(team, pv.Env.LocalClock->Now());
    std::string chosen = parentPath + stamp;
    if (!fs.FolderExists(parentPath)) {
        fs.CreateFolder(parentPath);
    } else {
        // A file of the name would stop the folder being made just as a folder would.
        auto taken = [&](const std::string& path) {
            return fs.FolderExists(path) || fs.FileExists(path);
        };
        for (int n = 1; taken(chosen); ++n) chosen = parentPath + stamp + std::to_string(n);
    }
    fs.CreateFolder(chosen);
    return chosen + "\\";
}

}  // namespace movrand
