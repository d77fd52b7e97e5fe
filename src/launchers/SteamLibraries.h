// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string_view>
#include <vector>

namespace movrand::platform {

// The library folders named in the text of a Steam libraryfolders.vdf: every "path" value, in
// the order written. A text that is no VDF (unbalanced braces, an open quote) gives what was
// read before the damage; nothing in it is trusted beyond being a folder name.
std::vector<std::filesystem::path> SteamLibraryFolders(std::string_view vdf);

}  // namespace movrand::platform
