// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <vector>

#include "platform/LauncherOrigin.h"

namespace movrand::platform {

// A folder is a Wine prefix when it holds the machine registry system.reg and a dosdevices or
// drive_c folder.
bool IsWinePrefix(const std::filesystem::path& folder);

// Where the launchers of one user keep their files: the home and $XDG_CONFIG_HOME ("" when it is
// not set: ~/.config).
struct SearchHome {
    std::filesystem::path Home;
    std::filesystem::path ConfigHome;
};

// The Wine prefixes kept under a home folder by plain Wine and by the launchers, each once (a
// prefix reached two ways keeps its first place and the launcher of that place), in this order:
//   1. ~/.wine
//   2. ~/.local/share/wineprefixes/*
//   3. Lutris: the prefix of each game file in $XDG_CONFIG_HOME/lutris/games/ (when set),
//      ~/.config/lutris/games/, ~/.local/share/lutris/games/ and the Flatpak's
//      ~/.var/app/net.lutris.Lutris/{config,data}/lutris/games/; then the game folders its
//      database pga.db lists (~/.local/share/lutris/, then the Flatpak's); then ~/Games/*
//   4. Bottles: ~/.local/share/bottles/bottles/*, then the folder its data.yml names as
//      custom_bottles_path, then the same for the Flatpak under
//      ~/.var/app/com.usebottles.bottles/data/bottles/; a bottle made with a path of its own is
//      found through the placeholder.yml left in its place
//   5. Steam's Proton: <library>/steamapps/compatdata/*/pfx (or SteamApps/) for every library of
//      the Steam folders ~/.steam/steam, ~/.local/share/Steam, the Flatpak's
//      ~/.var/app/com.valvesoftware.Steam/.local/share/Steam and the Snap's
//      ~/snap/steam/common/.local/share/Steam and ~/.snap/data/steam/common/.local/share/Steam
//      (the folder itself first, then the libraries its libraryfolders.vdf names)
//   6. Heroic: the winePrefix of each GamesConfig/<app>.json in $XDG_CONFIG_HOME/heroic/ (default
//      ~/.config/heroic/) and the Flatpak's ~/.var/app/com.heroicgameslauncher.hgl/config/heroic/;
//      then ~/Games/Heroic/Prefixes/* and ~/Games/Heroic/Prefixes/default/*
//   7. umu: ~/Games/umu/*
//   8. PlayOnLinux: ~/.PlayOnLinux/wineprefix/*
//   9. CrossOver: ~/.cxoffice/*
//  10. any folder directly under the home that holds system.reg and drive_c (~/.gpl)
// A launcher's folder that is no prefix itself but holds one as pfx/ (Proton's way) gives that.
// Folders are taken by name within each place. Launcher files that cannot be read are skipped,
// links that loop lead nowhere, and the work is bounded however many folders a place holds.
std::vector<FoundPrefix> FindWinePrefixes(const SearchHome& where);

}  // namespace movrand::platform
