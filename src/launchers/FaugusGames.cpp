// SPDX-License-Identifier: GPL-3.0-or-later
#include "launchers/FaugusGames.h"

#include <nlohmann/json.hpp>

namespace movrand::platform {
namespace fs = std::filesystem;
using nlohmann::json;

namespace {

std::string Text(const json& object, const char* key) {
    const auto value = object.find(key);
    return value != object.end() && value->is_string() ? value->get<std::string>() : "";
}

fs::path PathOfText(const std::string& value, const fs::path& home) {
    if (value == "~") return home;
    if (value.starts_with("~/")) return home / value.substr(2);
    return value.starts_with("/") ? fs::path(value) : fs::path();
}

}  // namespace

std::vector<FaugusGame> ParseFaugusGames(std::string_view text, const fs::path& home) {
    // A list of games, each an object of texts: nothing deeper is kept.
    const json::parser_callback_t shallow = [](int depth, json::parse_event_t, json&) {
        return depth <= 2;
    };
    const json root = json::parse(text, shallow, false);
    std::vector<FaugusGame> games;
    if (!root.is_array()) return games;
    for (const json& entry : root) {
        if (!entry.is_object()) continue;
        FaugusGame game{Text(entry, "gameid"), PathOfText(Text(entry, "prefix"), home), {}};
        if (game.Prefix.empty()) continue;
        const fs::path exe = PathOfText(Text(entry, "path"), home);
        if (!exe.empty()) game.Folders.push_back(exe.parent_path());
        games.push_back(std::move(game));
    }
    return games;
}

}  // namespace movrand::platform
