// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSession.h"

#include "common/Functions.h"
#include "common/clsReg.h"
#include "folders/SwapSettling.h"
#include "installation/GplInstallation.h"
#include "installation/Installations.h"
#include "platform/PrefixPlace.h"
#include "platform/SettingsKeys.h"
#include "platform/WindowsPath.h"
#include "resources/StringTable.h"
#include "roster/IniFunctions.h"
#include "session/LeftoverSweep.h"
#include "session/Main.h"

namespace movrand::cli {

std::string WindowsNotation(const platform::FileSystem& fs, const std::string& path) {
    if (platform::WindowsPath::Parse(path).DriveLetter != 0) return path;
    return fs.WindowsOf(path);
}

CliSession::~CliSession() {
    if (privateWorkFile_.empty()) return;
    try {
        platform::FileSystem fs = pv_.Files();
        if (fs.FileExists(privateWorkFile_)) fs.DeleteFile(privateWorkFile_, true);
    } catch (...) {
        // A working copy left behind is made afresh by the next run.
    }
}

void CliSession::StartBare() {
    pv_.ProgramName = resources::LoadResString(resources::kProgramName);
    InitAppPath(pv_);
    SettleInterruptedSwap(pv_, ui_);
    clsReg reg(pv_.Env.Settings);
    reg.AppName(platform::kSettingsApp);
    reg.Section(platform::kMovrandSection);
    reg.Key(platform::kDriverIniFileKey);
    reg.RegGet();
    pv_.DriverIniFile = reg.Setting();
    pv_.GPLPath = FolderOfPath(pv_.DriverIniFile);
    pv_.DriverWorkFile = pv_.AppPath + "driver.zorvex";
}

int CliSession::StartInstallation(const std::optional<std::string>& gpl, std::ostream& err) {
    if (!gpl) {
        if (Main(pv_, ui_, [] {})) return 0;
        return pv_.InstallationRefused ? 3 : 1;
    }

    StartBare();
    const std::string stored = pv_.DriverIniFile;
    const std::string storedPrefix = pv_.Env.Settings.Get(
        platform::kSettingsApp, platform::kMovrandSection, platform::kWinePrefixKey);
    std::string folder = WindowsNotation(pv_.Files(), *gpl);
    // A native path inside a prefix is that prefix's installation, and this run works in it.
    if (const auto place = InstallationOfPath(pv_, folder)) {
        if (!platform::SamePrefix(place->Prefix, pv_.Env.WinePrefix))
            UseInstallationPrefix(pv_, place->Prefix);
        folder = place->DriverIniFile;
    }
    platform::FileSystem fs = pv_.Files();
    const InstallationCheck check = CheckGPLInstallation(fs, folder);
    if (check != InstallationCheck::Valid) {
        err << "movrand-cli: --gpl " << *gpl << ": " << InstallationCheckMessage(check) << '\n';
        return 2;
    }
    pv_.GPLPath = folder;
    if (pv_.GPLPath.back() != '\\') pv_.GPLPath += '\\';
    pv_.DriverIniFile = pv_.GPLPath + "driver.ini";
    if (!LockInstallation(pv_, ui_, pv_.GPLPath)) return 3;
    const bool storedPrefixMatches =
        storedPrefix.empty() || platform::SamePrefix(storedPrefix, pv_.Env.WinePrefix);
    const bool storedOne = !stored.empty() && storedPrefixMatches && fs.FileExists(stored) &&
                           fs.IsWithin(stored, pv_.DriverIniFile);
    if (!storedOne) privateWorkFile_ = pv_.AppPath + "clidriver.zorvex";
    pv_.DriverWorkFile = storedOne ? pv_.AppPath + "driver.zorvex" : privateWorkFile_;
    SweepLeftoverTemporaries(pv_);
    return StripIniHeaders(pv_, ui_, pv_.DriverIniFile, pv_.DriverWorkFile) ? 0 : 3;
}

}  // namespace movrand::cli
