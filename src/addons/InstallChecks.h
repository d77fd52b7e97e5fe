// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "wine/FileSystem.h"

namespace movrand {

// What an installation is about to take from an add-on folder.
struct EntryToInstall {
    bool IsAccessory = false;
    std::string EntryName;
    std::string EntryFolder;
    std::string AddOnFolder;
    std::string DescriptionFile;     // "" when the entry brings none
    std::vector<std::string> Files;  // the entry's files, pictures left out
};

// Why the entry cannot be installed safely, or "": names that lead outside the team folder, that
// the program keeps for its own records and pictures, that the accessory record cannot hold, or
// that differ only in letter case; links (wherever they lead), FIFOs, sockets and devices.
std::string EntryRefusal(const platform::FileSystem& fs, const EntryToInstall& entry);

// Why files of the team folder would clash while the entry goes in, or "": two files whose
// names differ only in letter case (one name to the game), among all of them when a car is to
// replace them, among those the accessory overwrites otherwise.
std::string TeamFolderClash(const platform::FileSystem& fs, const std::string& teamFolder,
                            const EntryToInstall& entry, const std::string& dataFile);

}  // namespace movrand
