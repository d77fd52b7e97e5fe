// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LutrisGame.h"

#include <yaml-cpp/yaml.h>

#include <fstream>
#include <sstream>

namespace movrand::platform {

namespace {
// A game file is a few hundred bytes; anything far larger is not one.
constexpr std::uintmax_t kLargestGameFile = 1 << 20;
}  // namespace

std::optional<std::filesystem::path> LutrisGamePrefix(const std::filesystem::path& gameFile,
                                                      const std::filesystem::path& home) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(gameFile, ec) ||
        std::filesystem::file_size(gameFile, ec) > kLargestGameFile || ec)
        return std::nullopt;
    std::ifstream in(gameFile, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) return std::nullopt;
    try {
        const YAML::Node root = YAML::Load(text.str());
        if (!root.IsMap()) return std::nullopt;
        const YAML::Node game = root["game"];
        if (!game || !game.IsMap()) return std::nullopt;
        const YAML::Node prefix = game["prefix"];
        if (!prefix || !prefix.IsScalar()) return std::nullopt;
        const std::string value = prefix.as<std::string>();
        if (value.empty()) return std::nullopt;
        if (value == "~") return home;
        if (value.starts_with("~/")) return home / value.substr(2);
        const std::filesystem::path path(value);
        if (!path.is_absolute()) return std::nullopt;
        return path;
    } catch (const YAML::Exception&) {
        return std::nullopt;
    }
}

}  // namespace movrand::platform
