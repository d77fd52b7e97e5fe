// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <chrono>
#include <memory>

#include "platform/ChangeWatch.h"
#include "platform/Clock.h"
#include "platform/FaultPlan.h"
#include "platform/FileWork.h"
#include "platform/Random.h"
#include "platform/SettingsStore.h"
#include "wine/DriveTable.h"
#include "wine/FileSystem.h"

namespace movrand::platform {

// The platform services one run of the program works with. The desktop and console programs
// build it from the environment; tests build it over temporary folders.
struct Environment {
    DriveTable Drives;
    SettingsStore Settings{std::filesystem::path()};
    std::shared_ptr<Clock> LocalClock = std::make_shared<Clock>();
    Random Rnd;
    std::shared_ptr<FaultPlan> Faults;  // test hook; empty in the programs
    FileWork* Work = nullptr;           // hears of carried files while a FileWorkScope lives
    ChangeWatch* Watch = nullptr;       // hears of every change while a history step records
    // Where the program's own folder lives ($XDG_DATA_HOME/movrand, default ~/.local/share).
    std::filesystem::path DataHome;
    // The Wine prefix of the installation in use: its drives are `Drives`, its machine registry
    // (system.reg) the one the program reads, its wine the one that starts programs. Empty for
    // none (tests over drives of their own).
    std::filesystem::path WinePrefix;
    // $WINEPREFIX (or movrand-cli --prefix) named the prefix of this run.
    bool PrefixGiven = false;
    // The home folder whose Wine prefixes a first start searches; empty: only this run's drives.
    std::filesystem::path Home;
    // $XDG_CONFIG_HOME as set ("" when it is not), where launchers keep their files too.
    std::filesystem::path ConfigHome;
    // How long a start waits for another Movrand to let go of the installation.
    std::chrono::milliseconds LockWait{2000};

    static Environment FromProcessEnvironment();

    // Makes `prefix` the prefix of this run: its drives and its machine registry.
    void UsePrefix(const std::filesystem::path& prefix);

    // The program's own folder (DataHome/movrand) in Windows notation, created when missing.
    std::string ProgramFolder() const;
    // The same folder as a native path (it need not exist yet).
    std::filesystem::path NativeProgramFolder() const { return DataHome / "movrand"; }

    // A file-system service over this run's drives (and its fault plan, when there is one).
    FileSystem Files() const { return FileSystem(Drives, Faults.get(), Work, Watch); }
};

}  // namespace movrand::platform
