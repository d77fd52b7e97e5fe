// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace movrand::platform {

// Bottles' own files, each a small YAML mapping (its documentation's layout: data.yml in its
// data folder, bottle.yml in each bottle, placeholder.yml where a bottle with a path of its own
// was made); nothing is returned for a text that is no YAML or lacks the value.

// The folder where Bottles keeps new bottles instead of its own (`custom_bottles_path` of its
// data.yml).
std::optional<std::filesystem::path> BottlesCustomPath(std::string_view dataFile);

// The folder of a bottle made with a path of its own (`Path` of the placeholder.yml left in
// Bottles' folder).
std::optional<std::filesystem::path> BottlePlaceholderPath(std::string_view placeholderFile);

// A bottle: its name (`Name` of its bottle.yml) and the folders of the programs added to it
// (`External_Programs`, each with the `path` of its executable and, in newer files, its
// `folder`).
struct Bottle {
    std::string Name;
    std::vector<std::filesystem::path> ProgramFolders;
};
std::optional<Bottle> ParseBottle(std::string_view bottleFile);

}  // namespace movrand::platform
