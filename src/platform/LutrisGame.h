// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <optional>

namespace movrand::platform {

// The Wine prefix of one Lutris game file (~/.config/lutris/games/*.yml): the text of
// `prefix:` under `game:`, a leading "~/" taken from `home`. Nothing for a file that cannot be
// read, is no YAML, is larger than a game file ever is, or names no prefix.
std::optional<std::filesystem::path> LutrisGamePrefix(const std::filesystem::path& gameFile,
                                                      const std::filesystem::path& home);

}  // namespace movrand::platform
