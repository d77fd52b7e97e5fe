// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HeroicGames.h"

#include <nlohmann/json.hpp>

#include "platform/SmallFile.h"

namespace movrand::platform {

namespace {
constexpr std::size_t kLargestConfigFile = 1 << 20;
// The file is an object of games, each an object of settings: nothing deeper is needed.
constexpr int kDeepestKept = 2;
}  // namespace

std::optional<HeroicGame> ReadHeroicGame(const std::filesystem::path& configFile,
                                         const std::filesystem::path& home) {
    const std::optional<std::string> text = ReadSmallFile(configFile, kLargestConfigFile);
    if (!text) return std::nullopt;
    using nlohmann::json;
    // Values nested deeper than a game's settings are dropped as they are read, so a hostile
    // file cannot build a deep tree.
    const json::parser_callback_t shallow = [](int depth, json::parse_event_t, json&) {
        return depth <= kDeepestKept;
    };
    const json root = json::parse(*text, shallow, false);
    if (!root.is_object()) return std::nullopt;
    const std::string appName = configFile.stem().string();
    const auto game = root.find(appName);
    if (game == root.end() || !game->is_object()) return std::nullopt;
    const auto prefix = game->find("winePrefix");
    if (prefix == game->end() || !prefix->is_string()) return std::nullopt;
    const std::string value = prefix->get<std::string>();
    if (value == "~") return HeroicGame{appName, home};
    if (value.starts_with("~/")) return HeroicGame{appName, home / value.substr(2)};
    if (value.empty() || value.front() != '/') return std::nullopt;
    return HeroicGame{appName, std::filesystem::path(value)};
}

}  // namespace movrand::platform
