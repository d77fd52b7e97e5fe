// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace movrand::platform {

// A game added to Steam by hand: its app id (the name of its Proton prefix's folder under
// compatdata/) and the folders it names, that of its `Exe` and its `StartDir`.
struct SteamShortcut {
    std::uint32_t AppId = 0;
    std::vector<std::filesystem::path> Folders;
};

// The shortcuts of a Steam userdata/<user>/config/shortcuts.vdf, Steam's binary key-value file:
// a map "shortcuts" of numbered maps, each entry a type byte (0 a map, 1 a text, 2 a 32-bit
// number, 8 the end of a map), its name and its value, texts ending in a zero byte. Paths Steam
// writes in quotes lose them; names match without regard to case ("Exe" or "exe"). A shortcut
// of an older Steam without "appid" has the id Steam gives it: the CRC-32 of its `Exe` as written
// followed by its `AppName`, with the top bit set. A damaged file gives what was read before the
// damage; nesting deeper than the file's own is not followed.
std::vector<SteamShortcut> ParseSteamShortcuts(std::string_view bytes);

}  // namespace movrand::platform
