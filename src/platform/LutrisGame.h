// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <optional>

namespace movrand::platform {

// The Wine prefix of one Lutris game file (~/.config/lutris/games/*.yml): the text of `prefix:`
// under `game:`, a leading "~/" taken from `home`; without one, as Lutris finds it, the nearest
// folder above `game: exe:` that holds drive_c, or its prefix/ or pfx/ folder that does. Nothing
// for a file that cannot be read, is no YAML, is larger than a game file ever is, or leads to
// no prefix.
std::optional<std::filesystem::path> LutrisGamePrefix(const std::filesystem::path& gameFile,
                                                      const std::filesystem::path& home);

// The prefix Lutris finds for a game whose executable or folder is `start`: the nearest folder
// from `start` up that holds drive_c, or whose prefix/ or pfx/ folder does.
std::optional<std::filesystem::path> PrefixAbove(const std::filesystem::path& start);

}  // namespace movrand::platform
