// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace movrand::platform {

// Bottles' own files, each a small YAML mapping; nothing is returned for one that cannot be read,
// is no YAML, is far larger than such a file, or lacks the value.

// The folder where Bottles keeps new bottles instead of its own (`custom_bottles_path` of its
// data.yml).
std::optional<std::filesystem::path> BottlesCustomPath(const std::filesystem::path& dataFile);

// The folder of a bottle made with a path of its own (`Path` of the placeholder.yml left in
// Bottles' folder).
std::optional<std::filesystem::path> BottlePlaceholderPath(
    const std::filesystem::path& placeholderFile);

// A bottle's name (`Name` of its bottle.yml).
std::optional<std::string> BottleName(const std::filesystem::path& bottleFile);

}  // namespace movrand::platform
