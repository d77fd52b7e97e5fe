// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LutrisGame.h"

#include <yaml-cpp/yaml.h>

#include "platform/SmallFile.h"

namespace movrand::platform {
namespace fs = std::filesystem;

namespace {
// A game file is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kLargestGameFile = 1 << 20;

// A path as a game file writes it: absolute, or "~" for the home; nothing otherwise.
std::optional<fs::path> PathOfText(const YAML::Node& node, const fs::path& home) {
    if (!node || !node.IsScalar()) return std::nullopt;
    const std::string value = node.as<std::string>();
    if (value.empty()) return std::nullopt;
    if (value == "~") return home;
    if (value.starts_with("~/")) return home / value.substr(2);
    const fs::path path(value);
    if (!path.is_absolute()) return std::nullopt;
    return path;
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

std::optional<fs::path> LutrisGamePrefix(const fs::path& gameFile, const fs::path& home) {
    const std::optional<std::string> text = ReadSmallFile(gameFile, kLargestGameFile);
    if (!text) return std::nullopt;
    try {
        const YAML::Node root = YAML::Load(*text);
        if (!root.IsMap()) return std::nullopt;
        const YAML::Node game = root["game"];
        if (!game || !game.IsMap()) return std::nullopt;
        if (const auto prefix = PathOfText(game["prefix"], home)) return prefix;
        if (const auto exe = PathOfText(game["exe"], home)) return PrefixAbove(exe->parent_path());
        return std::nullopt;
    } catch (const YAML::Exception&) {
        return std::nullopt;
    }
}

}  // namespace movrand::platform
