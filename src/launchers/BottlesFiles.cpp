// SPDX-License-Identifier: GPL-3.0-or-later
#include "launchers/BottlesFiles.h"

#include <yaml-cpp/yaml.h>

namespace movrand::platform {
namespace fs = std::filesystem;

namespace {

std::optional<YAML::Node> Mapping(std::string_view text) {
    try {
        YAML::Node root = YAML::Load(std::string(text));
        if (root.IsMap()) return root;
    } catch (const YAML::Exception&) {
    }
    return std::nullopt;
}

std::string Text(const YAML::Node& node) {
    return node && node.IsScalar() ? node.as<std::string>() : std::string();
}

// The text of a top-level key of a YAML mapping.
std::optional<std::string> TopLevelText(std::string_view text, const char* key) {
    const auto root = Mapping(text);
    if (!root) return std::nullopt;
    std::string found = Text((*root)[key]);
    if (found.empty()) return std::nullopt;
    return found;
}

std::optional<fs::path> AbsoluteFolder(const std::optional<std::string>& text) {
    if (!text || text->front() != '/') return std::nullopt;
    return fs::path(*text);
}

}  // namespace

std::optional<fs::path> BottlesCustomPath(std::string_view dataFile) {
    return AbsoluteFolder(TopLevelText(dataFile, "custom_bottles_path"));
}

std::optional<fs::path> BottlePlaceholderPath(std::string_view placeholderFile) {
    return AbsoluteFolder(TopLevelText(placeholderFile, "Path"));
}

std::optional<Bottle> ParseBottle(std::string_view bottleFile) {
    const auto root = Mapping(bottleFile);
    if (!root) return std::nullopt;
    Bottle bottle;
    bottle.Name = Text((*root)["Name"]);
    const YAML::Node programs = (*root)["External_Programs"];
    if (programs && programs.IsMap())
        for (const auto& entry : programs) {
            if (!entry.second.IsMap()) continue;
            const std::string path = Text(entry.second["path"]);
            if (path.starts_with("/"))
                bottle.ProgramFolders.push_back(fs::path(path).parent_path());
            const std::string folder = Text(entry.second["folder"]);
            if (folder.starts_with("/")) bottle.ProgramFolders.emplace_back(folder);
        }
    return bottle;
}

}  // namespace movrand::platform
