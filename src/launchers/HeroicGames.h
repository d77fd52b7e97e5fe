// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace movrand::platform {

// Heroic's files, JSON as Heroic writes them under its configuration folder (~/.config/heroic/):
// GamesConfig/<app>.json, the settings of one game; config.json, the launcher's own settings;
// sideload_apps/library.json, the games added by hand. A leading "~" of a path is taken from
// `home`; a text that is no JSON, or lacks the value, gives nothing, and nesting deeper than the
// files' own is never kept.

// A game's settings file of Heroic: its app name and Wine prefix.
struct HeroicGame {
    std::string AppName;
    std::filesystem::path Prefix;
};

// The game of one GamesConfig file, `{"<app>": {"winePrefix": "..."}}`.
std::optional<HeroicGame> ParseHeroicGame(std::string_view text, const std::string& appName,
                                          const std::filesystem::path& home);

// The folder Heroic makes new games' prefixes in (`defaultSettings.defaultWinePrefix` of its
// config.json, `defaultWinePrefix` at the top in older files).
std::optional<std::filesystem::path> ParseHeroicDefaultPrefixes(std::string_view text,
                                                                const std::filesystem::path& home);

// A game added by hand: its app name and the folders its entry names (the folder of
// `install.executable`, and `folder_name`).
struct HeroicSideloadGame {
    std::string AppName;
    std::vector<std::filesystem::path> Folders;
};
std::vector<HeroicSideloadGame> ParseHeroicSideloadLibrary(std::string_view text,
                                                           const std::filesystem::path& home);

}  // namespace movrand::platform
