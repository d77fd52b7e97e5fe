// SPDX-License-Identifier: GPL-3.0-or-later
#include "wine/Environment.h"

#include <cstdlib>

#include "platform/XdgFolders.h"
#include "wine/WineRegistry.h"

namespace movrand::platform {

Environment Environment::FromProcessEnvironment() {
    Environment env;
    env.Drives = DriveTable::FromEnvironment();
    env.Settings = SettingsStore::FromEnvironment();
    env.DataHome = XdgFolder("XDG_DATA_HOME", std::filesystem::path(".local") / "share");
    env.WinePrefix = WinePrefixFromEnvironment();
    const char* prefix = std::getenv("WINEPREFIX");
    env.PrefixGiven = prefix && *prefix;
    if (const char* home = std::getenv("HOME"); home && *home) env.Home = home;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        env.ConfigHome = config;
    env.Rnd.SeedFromTimer();
    return env;
}

void Environment::UsePrefix(const std::filesystem::path& prefix) {
    WinePrefix = prefix;
    Drives = DriveTable::FromWinePrefix(prefix);
}

std::string Environment::ProgramFolder() const {
    const std::filesystem::path folder = NativeProgramFolder();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return Files().WindowsOf(folder);
}

}  // namespace movrand::platform
