// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/BottlesFiles.h"

#include <yaml-cpp/yaml.h>

#include "platform/SmallFile.h"

namespace movrand::platform {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kLargestFile = 1 << 20;

// The text of a top-level key of a YAML mapping file.
std::optional<std::string> TopLevelText(const fs::path& file, const char* key) {
    const std::optional<std::string> text = ReadSmallFile(file, kLargestFile);
    if (!text) return std::nullopt;
    try {
        const YAML::Node root = YAML::Load(*text);
        if (!root.IsMap()) return std::nullopt;
        const YAML::Node value = root[key];
        if (!value || !value.IsScalar()) return std::nullopt;
        std::string found = value.as<std::string>();
        if (found.empty()) return std::nullopt;
        return found;
    } catch (const YAML::Exception&) {
        return std::nullopt;
    }
}

std::optional<fs::path> AbsoluteFolder(const std::optional<std::string>& text) {
    if (!text || text->front() != '/') return std::nullopt;
    return fs::path(*text);
}

}  // namespace

std::optional<fs::path> BottlesCustomPath(const fs::path& dataFile) {
    return AbsoluteFolder(TopLevelText(dataFile, "custom_bottles_path"));
}

std::optional<fs::path> BottlePlaceholderPath(const fs::path& placeholderFile) {
    return AbsoluteFolder(TopLevelText(placeholderFile, "Path"));
}

std::optional<std::string> BottleName(const fs::path& bottleFile) {
    return TopLevelText(bottleFile, "Name");
}

}  // namespace movrand::platform
