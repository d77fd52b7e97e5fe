// SPDX-License-Identifier: GPL-3.0-or-later
#include "launchers/HeroicGames.h"

#include <nlohmann/json.hpp>

namespace movrand::platform {
namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// Values nested deeper than `deepest` are dropped as they are read, so a hostile file cannot
// build a deep tree.
json Shallow(std::string_view text, int deepest) {
    const json::parser_callback_t shallow = [deepest](int depth, json::parse_event_t, json&) {
        return depth <= deepest;
    };
    return json::parse(text, shallow, false);
}

std::string Text(const json& object, const char* key) {
    if (!object.is_object()) return "";
    const auto value = object.find(key);
    return value != object.end() && value->is_string() ? value->get<std::string>() : "";
}

// An absolute path, "~" for the home; nothing for any other text.
std::optional<fs::path> PathOfText(const std::string& value, const fs::path& home) {
    if (value == "~") return home;
    if (value.starts_with("~/")) return home / value.substr(2);
    if (value.empty() || value.front() != '/') return std::nullopt;
    return fs::path(value);
}

}  // namespace

std::optional<HeroicGame> ParseHeroicGame(std::string_view text, const std::string& appName,
                                          const fs::path& home) {
    const json root = Shallow(text, 2);
    if (!root.is_object()) return std::nullopt;
    const auto game = root.find(appName);
    if (game == root.end()) return std::nullopt;
    const auto prefix = PathOfText(Text(*game, "winePrefix"), home);
    if (!prefix) return std::nullopt;
    return HeroicGame{appName, *prefix};
}

std::optional<fs::path> ParseHeroicDefaultPrefixes(std::string_view text, const fs::path& home) {
    const json root = Shallow(text, 2);
    if (!root.is_object()) return std::nullopt;
    const auto settings = root.find("defaultSettings");
    if (settings != root.end())
        if (auto prefix = PathOfText(Text(*settings, "defaultWinePrefix"), home)) return prefix;
    return PathOfText(Text(root, "defaultWinePrefix"), home);
}

std::vector<HeroicSideloadGame> ParseHeroicSideloadLibrary(std::string_view text,
                                                           const fs::path& home) {
    std::vector<HeroicSideloadGame> games;
    const json root = Shallow(text, 4);
    if (!root.is_object()) return games;
    const auto list = root.find("games");
    if (list == root.end() || !list->is_array()) return games;
    for (const json& entry : *list) {
        HeroicSideloadGame game{Text(entry, "app_name"), {}};
        if (game.AppName.empty()) continue;
        const auto install = entry.find("install");
        if (install != entry.end())
            if (const auto exe = PathOfText(Text(*install, "executable"), home))
                game.Folders.push_back(exe->parent_path());
        if (const auto folder = PathOfText(Text(entry, "folder_name"), home))
            game.Folders.push_back(*folder);
        games.push_back(std::move(game));
    }
    return games;
}

}  // namespace movrand::platform
