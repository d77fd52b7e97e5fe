// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace movrand::platform {

// The program that keeps a Wine prefix and starts the games in it.
enum class Launcher {
    Wine,
    Lutris,
    Bottles,
    Steam,
    Heroic,
    Umu,
    PlayOnLinux,
    CrossOver,
    PortProton,
    Faugus,
    Q4Wine
};

// How a prefix was found: the launcher it came through and that launcher's own name for the
// game in it (Lutris: the game's id, or its slug when its database does not list it; Steam: the
// app id; Bottles: the bottle's name; Heroic: the app name; q4wine: the prefix's name), ""
// where it has none.
struct LauncherOrigin {
    Launcher Through = Launcher::Wine;
    std::string Game;
    // The Flatpak application the launcher is installed as ("net.lutris.Lutris"), "" when it is
    // installed natively.
    std::string Flatpak;
};

// A folder a launcher's own files name as its game's (the folder of the program it starts, the
// game's working folder), and the launcher's name for that game.
struct NamedFolder {
    std::filesystem::path Folder;
    LauncherOrigin Origin;
};

// A Wine prefix found by the search, how it was found, and the game folders the launchers name
// in it.
struct FoundPrefix {
    std::filesystem::path Prefix;
    LauncherOrigin Origin;
    std::vector<NamedFolder> Named = {};
};

// The launcher's name as a person knows it ("Lutris", "Steam", "Wine").
const char* LauncherName(Launcher launcher);

}  // namespace movrand::platform
