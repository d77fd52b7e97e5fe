// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <vector>

namespace movrand::platform {

// A folder is a Wine prefix when it holds the machine registry system.reg and a dosdevices or
// drive_c folder.
bool IsWinePrefix(const std::filesystem::path& folder);

// The Wine prefixes kept under a home folder by plain Wine and by the prefix managers, each
// once (a prefix reached two ways keeps its first place), in this order:
//   1. ~/.wine
//   2. ~/.local/share/wineprefixes/*
//   3. Lutris: the prefix of each game file in ~/.config/lutris/games/ and
//      ~/.local/share/lutris/games/, then ~/Games/*
//   4. Bottles: ~/.local/share/bottles/bottles/*, then the Flatpak's
//      ~/.var/app/com.usebottles.bottles/data/bottles/bottles/*
//   5. Steam's Proton: <library>/steamapps/compatdata/*/pfx for every library of the Steam
//      folders ~/.steam/steam, ~/.local/share/Steam and the Flatpak's
//      ~/.var/app/com.valvesoftware.Steam/.local/share/Steam (the folder itself first, then the
//      libraries its libraryfolders.vdf names)
//   6. PlayOnLinux: ~/.PlayOnLinux/wineprefix/*
//   7. CrossOver: ~/.cxoffice/*
// Folders are taken by name within each place. Manager files that cannot be read are skipped,
// links that loop lead nowhere, and the work is bounded however many folders a place holds.
std::vector<std::filesystem::path> FindWinePrefixes(const std::filesystem::path& home);

}  // namespace movrand::platform
