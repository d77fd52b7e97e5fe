// SPDX-License-Identifier: GPL-3.0-or-later
#include "installation/GplInstallation.h"

#include "common/clsReg.h"
#include "folders/CarFolderCount.h"
#include "installation/Installations.h"
#include "platform/ErrorTrap.h"
#include "platform/SettingsKeys.h"
#include "resources/StringTable.h"
#include "roster/IniFunctions.h"

namespace movrand {

InstallationCheck CheckGPLInstallation(const platform::FileSystem& fs, const std::string& folder) {
    if (!fs.FileExists(folder + "\\gpl.exe")) return InstallationCheck::Invalid;
    if (!fs.FileExists(folder + "\\driver.ini")) return InstallationCheck::Invalid;
    if (!fs.FileExists(folder + "\\gpl_ai.ini")) return InstallationCheck::Invalid;
    if (!fs.FolderExists(folder + "\\tracks")) return InstallationCheck::Invalid;
    if (!fs.FolderExists(folder + "\\cars\\cars67")) return InstallationCheck::Invalid;
    int count = 0;
    try {
        count = CountTeamFolders(fs, folder + "\\cars\\cars67");
    } catch (const platform::RuntimeError&) {
        return InstallationCheck::TechnicalFailure;
    }
    return count == kTeamFolderCount ? InstallationCheck::Valid : InstallationCheck::Invalid;
}

std::string InstallationCheckMessage(InstallationCheck check) {
    switch (check) {
        case InstallationCheck::Valid:
            return "";
        case InstallationCheck::Invalid:
            return resources::LoadResString(resources::kNotAnInstallation);
        case InstallationCheck::TechnicalFailure:
            return resources::LoadResString(resources::kTechnicalFailure);
    }
    return "";
}

namespace {

// Runs a step of a roll-back; its own failure must not hide the error being reported.
template <typename Step>
void Quietly(Step&& step) {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace

namespace {

// The run's prefix and the values that follow from it, put back unless the switch completes.
class PrefixRestore {
  public:
    explicit PrefixRestore(ProgramValues& pv)
        : pv_(pv),
          prefix_(pv.Env.WinePrefix),
          drives_(pv.Env.Drives),
          appPath_(pv.AppPath),
          workFile_(pv.DriverWorkFile) {}
    ~PrefixRestore() {
        if (kept_) return;
        pv_.Env.WinePrefix = prefix_;
        pv_.Env.Drives = drives_;
        pv_.AppPath = appPath_;
        pv_.DriverWorkFile = workFile_;
    }
    PrefixRestore(const PrefixRestore&) = delete;
    PrefixRestore& operator=(const PrefixRestore&) = delete;
    void Keep() { kept_ = true; }

  private:
    ProgramValues& pv_;
    std::filesystem::path prefix_;
    platform::DriveTable drives_;
    std::string appPath_;
    std::string workFile_;
    bool kept_ = false;
};

}  // namespace

bool ChangeGPLInstallation(ProgramValues& pv, platform::Ui& ui, const std::string& chosen) {
    bool changed = false;
    PrefixRestore restore(pv);
    platform::RunTrapped(ui, platform::TrapForm::Information, pv.ProgramName, [&] {
        // A folder reached through the drive of "/" inside a prefix is that prefix's own folder:
        // the installation becomes that prefix's, so that the game and Movrand name one place.
        const std::string folder = InItsOwnPrefix(pv, chosen);
        platform::FileSystem fs = pv.Files();
        const InstallationCheck check = CheckGPLInstallation(fs, folder);
        if (check != InstallationCheck::Valid) {
            ui.ShowMessage(InstallationCheckMessage(check));
            return;
        }

        platform::Question question;
        question.MyWidth = 4100;
        question.MyHeight = 2000;
        question.Message = resources::LoadResString(resources::kChangeInstallationQuestion);
        if (!ui.AskYesNo(question)) return;

        std::string gplPath = folder;
        if (gplPath.empty() || gplPath.back() != '\\') gplPath += '\\';
        const std::string driverIniFile = gplPath + "driver.ini";
        const std::string workFile = pv.AppPath + "driver.zorvex";
        // Another run on the new installation keeps it; this run then stays where it was.
        auto lock = TakeInstallationLock(pv, ui, gplPath);
        if (!lock) return;

        // The new working copy is made before anything changes and put in place last.
        const std::string prepared = StripIniHeadersOf(fs.ReadAllBytes(driverIniFile));

        clsReg reg(pv.Env.Settings);
        reg.AppName(platform::kSettingsApp);
        reg.Section(platform::kMovrandSection);
        reg.Key(platform::kDriverIniFileKey);
        reg.RegGet();
        const std::string storedBefore = reg.Setting();
        reg.Key(platform::kWinePrefixKey);
        reg.RegGet();
        const std::string prefixBefore = reg.Setting();
        const bool wasReadOnly = fs.FileExists(workFile) && fs.IsReadOnly(workFile);
        try {
            reg.Setting(StoredPrefixOf(pv));
            reg.RegSave();
            reg.Key(platform::kDriverIniFileKey);
            reg.Setting(driverIniFile);
            reg.RegSave();
            // The old working copy is replaced in one step, read-only or not.
            if (wasReadOnly) fs.SetReadOnly(workFile, false);
            fs.WriteWholeFile(workFile, prepared);
        } catch (...) {
            for (const auto& restore :
                 {std::pair<std::string, std::string>{platform::kDriverIniFileKey, storedBefore},
                  {platform::kWinePrefixKey, prefixBefore}})
                Quietly([&] {
                    reg.Key(restore.first);
                    reg.Setting(restore.second);
                    if (restore.second.empty())
                        reg.RegDel();
                    else
                        reg.RegSave();
                });
            Quietly([&] {
                if (wasReadOnly) fs.SetReadOnly(workFile, true);
            });
            throw;
        }

        pv.GPLPath = gplPath;
        pv.DriverIniFile = driverIniFile;
        pv.DriverWorkFile = workFile;
        pv.InstallationLock = std::move(lock);
        restore.Keep();
        changed = true;
    });
    return changed;
}

}  // namespace movrand
