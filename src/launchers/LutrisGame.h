// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace movrand::platform {

// What a Lutris game file (~/.config/lutris/games/<slug>-<time>.yml, written by Lutris as a YAML
// mapping with a `game:` section) says of the game: its `prefix:`, `exe:` and `working_dir:`,
// each "" when it is missing, a leading "~/" taken from the home. `exe:` and `working_dir:` may
// be relative: Lutris takes them from the game's folder, which only its database pga.db knows
// (the `directory` of the game's row) for a game its installer made.
struct LutrisGameFile {
    std::filesystem::path Prefix;
    std::filesystem::path Exe;
    std::filesystem::path WorkingDir;
};

// The game of a game file's text; nothing for a text that is no YAML mapping with a `game:`
// mapping.
std::optional<LutrisGameFile> ParseLutrisGame(std::string_view text,
                                              const std::filesystem::path& home);

// The prefix Lutris finds for a game whose executable or folder is `start`: the nearest folder
// from `start` up that holds drive_c, or whose prefix/ or pfx/ folder does.
std::optional<std::filesystem::path> PrefixAbove(const std::filesystem::path& start);

}  // namespace movrand::platform
