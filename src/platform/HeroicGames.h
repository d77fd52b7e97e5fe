// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace movrand::platform {

// A game's settings file of Heroic (GamesConfig/<app>.json): its app name and Wine prefix.
struct HeroicGame {
    std::string AppName;
    std::filesystem::path Prefix;
};

// The game of one GamesConfig file, `{"<app>": {"winePrefix": "..."}}`, a leading "~" taken
// from `home`. Nothing for a file that cannot be read, is no JSON, is larger than such a file
// ever is, or names no absolute prefix; nesting is never followed deeper than the file's own.
std::optional<HeroicGame> ReadHeroicGame(const std::filesystem::path& configFile,
                                         const std::filesystem::path& home);

}  // namespace movrand::platform
