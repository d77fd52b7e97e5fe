#include "mainwindow/GplInstallation.h"

#include "app/clsReg.h"
#include "folders/CarFolderCount.h"
#include "platform/ErrorTrap.h"
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
            return resources::LoadResString(132);
        case InstallationCheck::TechnicalFailure:
            return resources::LoadResString(131);
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

bool ChangeGPLInstallation(ProgramValues& pv, platform::Ui& ui, const std::string& folder) {
    bool changed = false;
    platform::RunTrapped(ui, platform::TrapForm::Information, pv.ProgramName, [&] {
        platform::FileSystem fs = pv.Files();
        const InstallationCheck check = CheckGPLInstallation(fs, folder);
        if (check != InstallationCheck::Valid) {
            ui.ShowMessage(InstallationCheckMessage(check));
            return;
        }

        platform::Question question;
        question.MyWidth = 4100;
        question.MyHeight = 2000;
        question.Message = resources::LoadResString(130);
        if (!ui.AskYesNo(question)) return;

        std::string gplPath = folder;
        if (gplPath.empty() || gplPath.back() != '\\') gplPath += '\\';
        const std::string driverIniFile = gplPath + "driver.ini";
        const std::string workFile = pv.AppPath + "driver.zorvex";

        // The new working copy is made before anything changes and put in place last.
        const std::string prepared = StripIniHeadersOf(fs.ReadAllBytes(driverIniFile));

        clsReg reg(pv.Env.Settings);
        reg.AppName("Zorvex");
        reg.Section("Movrand");
        reg.Key("DriverIniFile");
        reg.RegGet();
        const std::string storedBefore = reg.Setting();
        const bool wasReadOnly = fs.FileExists(workFile) && fs.IsReadOnly(workFile);
        try {
            reg.Setting(driverIniFile);
            reg.RegSave();
            // The old working copy is replaced in one step, read-only or not.
            if (wasReadOnly) fs.SetReadOnly(workFile, false);
            fs.WriteWholeFile(workFile, prepared);
        } catch (...) {
            Quietly([&] {
                reg.Setting(storedBefore);
                if (storedBefore.empty())
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
        changed = true;
    });
    return changed;
}

}  // namespace movrand
