// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <vector>

#include "launchers/LauncherFiles.h"
#include "launchers/LauncherOrigin.h"

namespace movrand::platform {

// Where the launchers of one user keep their files: the home, $XDG_CONFIG_HOME ("" when it is
// not set: ~/.config) and $XDG_DATA_HOME ("" when it is not set: ~/.local/share).
struct SearchHome {
    std::filesystem::path Home;
    std::filesystem::path ConfigHome;
    std::filesystem::path DataHome = {};
};

// The Wine prefixes kept under a home folder by plain Wine and by the launchers, each once (a
// prefix reached two ways keeps its first place, and the launcher of the first place that names
// its game), in this order ("DATA" is $XDG_DATA_HOME when set, then ~/.local/share):
//   1. ~/.wine
//   2. winetricks: DATA/wineprefixes/*
//   3. Lutris: the prefix of each game file in $XDG_CONFIG_HOME/lutris/games/ (when set),
//      ~/.config/lutris/games/, DATA/lutris/games/ and the Flatpak's
//      ~/.var/app/net.lutris.Lutris/{config,data}/lutris/games/ (a relative exe: taken in the
//      game's folder its database pga.db keeps); then the game folders pga.db lists
//      (DATA/lutris/, then the Flatpak's); then ~/Games/*
//   4. Bottles: DATA/bottles/bottles/*, then the folder its data.yml names as
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
//      then ~/Games/Heroic/Prefixes/* and ~/Games/Heroic/Prefixes/default/*, then the folder
//      config.json names as defaultWinePrefix
//   7. umu: ~/Games/umu/*
//   8. PlayOnLinux: ~/.PlayOnLinux/wineprefix/*
//   9. CrossOver: ~/.cxoffice/*
//  10. PortProton: data/prefixes/* (older: prefixes/*) of the folder PortProton.conf names in
//      $XDG_CONFIG_HOME (when set), ~/.config and its Flatpak's config/, then of ~/PortProton,
//      DATA/PortWINE/PortProton, ~/PortWINE/PortProton and of its Flatpak's own
//      ~/.var/app/ru.linux_gaming.PortProton (and its PortProton/ and data/PortProton/)
//  11. Faugus Launcher: the prefix of each game of games.json in DATA/faugus-launcher/, then
//      $XDG_CONFIG_HOME/faugus-launcher/ (default ~/.config/faugus-launcher/), then the same in
//      its Flatpak's ~/.var/app/io.github.Faugus.faugus-launcher/{data,config}/; then ~/Faugus/*
//  12. q4wine: the prefixes its database ~/.config/q4wine/db/generic.dat names (with the
//      folders of the programs its icons start)
//  13. the Wine Flatpak's prefix ~/.var/app/org.winehq.Wine/data/wine, then ~/wine/* and
//      ~/.wineprefixes/*
//  14. any folder directly under the home that holds system.reg and drive_c (~/.gpl)
// A launcher's folder that is no prefix itself but holds one as pfx/ (Proton's way) gives that.
// Folders are taken by name within each place. Launcher files that cannot be read are skipped,
// links that loop lead nowhere, and the work is bounded however many folders a place holds.
// Each prefix comes with the game folders the launchers' files name in it. Every launcher file is
// read through `files`, which bounds what one search reads and notes what it skipped.
std::vector<FoundPrefix> FindWinePrefixes(const SearchHome& where, LauncherFiles& files);
std::vector<FoundPrefix> FindWinePrefixes(const SearchHome& where);

}  // namespace movrand::platform
