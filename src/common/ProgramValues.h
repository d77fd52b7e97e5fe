// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>

#include "platform/ProgramLock.h"
#include "wine/Environment.h"

namespace movrand {

// The program-wide values, one instance per run, and the platform services the run works with.
struct ProgramValues {
    std::string AppPath;         // the program's own folder, ending with "\"
    std::string ProgramName;     // "Movrand": the title of the plain message boxes
    std::string DriverIniFile;   // full path of the game's driver.ini in use
    std::string WebsiteURL;      // address of the add-on website
    std::string GPLPath;         // the GPL installation folder in use, ending with "\"
    std::string DriverWorkFile;  // AppPath + "driver.zorvex"

    platform::Environment Env;

    // The lock of the installation in use (GPLPath), held from the start or the switch that
    // chose it until the next switch or the end of the run; empty before.
    struct HeldInstallation {
        platform::ProgramLock Lock;
        std::filesystem::path Folder;  // native
    };
    std::shared_ptr<HeldInstallation> InstallationLock;
    // The last attempt to lock an installation was refused (another run held it, or no lock).
    bool InstallationRefused = false;

    // A file-system service over the run's drives that follows no link below the installation.
    platform::FileSystem Files() const {
        platform::FileSystem files = Env.Files();
        if (!GPLPath.empty()) files.GuardBelow(GPLPath);
        return files;
    }
};

}  // namespace movrand
