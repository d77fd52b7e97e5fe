// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace movrand::platform {

// A game of Faugus Launcher: its id, its prefix and the folder of the program it starts.
struct FaugusGame {
    std::string Id;
    std::filesystem::path Prefix;
    std::vector<std::filesystem::path> Folders;
};

// The games of Faugus Launcher's games.json (a JSON list of objects with "gameid", "prefix" and
// "path", as the launcher writes it); a leading "~" is taken from `home`. Games without an
// absolute prefix are left out; a text that is no JSON gives none.
std::vector<FaugusGame> ParseFaugusGames(std::string_view text, const std::filesystem::path& home);

}  // namespace movrand::platform
