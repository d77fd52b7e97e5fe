// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "wine/FileSystem.h"

namespace movrand {

// How many of the game's seven team folders (brabham, brm, coventry, eagle, ferrari, lotus,
// murasama; any letter case) stand directly inside `folder`. The display names Cooper and Honda
// are no folder names and do not count. Raises the platform's error when the folder cannot be
// opened.
int CountTeamFolders(const platform::FileSystem& fs, const std::string& folder);

// A complete car folder holds all seven team folders; other content does not matter.
inline constexpr int kTeamFolderCount = 7;

}  // namespace movrand
