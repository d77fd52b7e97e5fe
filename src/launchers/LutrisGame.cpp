// SPDX-License-Identifier: GPL-3.0-or-later
#include "launchers/LutrisGame.h"

#include <yaml-cpp/yaml.h>

namespace movrand::platform {
namespace fs = std::filesystem;

namespace {

// A path as a game file writes it, "~" for the home.
fs::path PathOfText(const YAML::Node& node, const fs::path& home) {
    if (!node || !node.IsScalar()) return {};
    const std::string value = node.as<std::string>();
    if (value == "~") return home;
    if (value.starts_with("~/")) return home / value.substr(2);
    return value;
}

}  // namespace

std::optional<fs::path> PrefixAbove(const fs::path& start) {
    std::error_code ec;
    for (fs::path folder = start.lexically_normal(); folder.has_relative_path();
         folder = folder.parent_path()) {
        for (const char* below : {"", "prefix", "pfx"}) {
            const fs::path candidate = *below ? folder / below : folder;
            if (fs::is_directory(candidate / "drive_c", ec)) return candidate;
        }
    }
    return std::nullopt;
}

std::optional<LutrisGameFile> ParseLutrisGame(std::string_view text, const fs::path& home) {
    try {
        const YAML::Node root = YAML::Load(std::string(text));
        if (!root.IsMap()) return std::nullopt;
        const YAML::Node game = root["game"];
        if (!game || !game.IsMap()) return std::nullopt;
        return LutrisGameFile{PathOfText(game["prefix"], home), PathOfText(game["exe"], home),
                              PathOfText(game["working_dir"], home)};
    } catch (const YAML::Exception&) {
        return std::nullopt;
    }
}

}  // namespace movrand::platform
