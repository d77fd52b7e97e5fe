#include "app/Main.h"

#include "app/Functions.h"
#include "app/LeftoverSweep.h"
#include "app/clsReg.h"
#include "folders/SwapSettling.h"
#include "mainwindow/GplInstallation.h"
#include "platform/ErrorTrap.h"
#include "platform/Text.h"
#include "resources/StringTable.h"
#include "roster/IniFunctions.h"

namespace movrand {

using platform::RuntimeError;

std::string SearchDriverIni(const platform::FileSystem& fs) {
    for (const char* suffix : {":/sierra/gpl/driver.ini", ":/games/sierra/gpl/driver.ini"}) {
        for (const platform::Drive& drive : fs.Drives()) {
            const std::string candidate = std::string(1, drive.Letter) + suffix;
            try {
                if (fs.ProbeFile(candidate)) return fs.ReportedPath(candidate);
            } catch (const RuntimeError& e) {
                // An empty CD drive, an unmounted disk or a mapping to a folder that has gone
                // holds no driver.ini; any other failure ends the search.
                if (e.Number() != platform::kFileNotFound && e.Number() != platform::kDiskNotReady)
                    throw;
            }
        }
    }
    return "";
}

std::string StoredDriverIniProblem(const platform::FileSystem& fs, const std::string& path) {
    if (!fs.Available() || !fs.FileExists(path))
        return "The driver.ini file last used, " + path +
               ", could not be found. Movrand will look for it again.";
    const std::string folder = FolderOfPath(path);
    if (!platform::EqualsNoCase(path.substr(folder.size()), "driver.ini") || folder.empty() ||
        CheckGPLInstallation(fs, folder.substr(0, folder.size() - 1)) != InstallationCheck::Valid)
        return "The file last used as driver.ini, " + path +
               ", is not the driver.ini of a GPL installation. Movrand will look for it again.";
    return "";
}

bool Main(ProgramValues& pv, platform::Ui& ui, const std::function<void()>& showMainWindow) {
    bool opened = false;
    pv.ProgramName = resources::LoadResString(102);
    platform::RunTrapped(ui, platform::TrapForm::Information, pv.ProgramName, [&] {
        pv.Env.Rnd.SeedFromTimer();
        InitAppPath(pv);
        // A car folder swap that an earlier run could not finish is settled before anything else.
        SettleInterruptedSwap(pv, ui);
        pv.ProgramName = resources::LoadResString(102);

        clsReg reg(pv.Env.Settings);
        reg.AppName("Zorvex");
        reg.Section("Movrand");
        reg.Key("DriverIniFile");
        reg.RegGet();
        pv.DriverIniFile = reg.Setting();

        reg.Section("Zorvex");
        reg.Key("ZorvexURL");
        reg.RegGet();
        if (!reg.Setting().empty()) {
            pv.WebsiteURL = reg.Setting();
        } else {
            pv.WebsiteURL = kDefaultWebsiteURL;
            reg.Setting(pv.WebsiteURL);
            reg.RegSave();
        }

        if (!pv.DriverIniFile.empty()) {
            // A stored path is trusted only as the roster of an installation: anything else
            // (a file that has gone, another text file) is searched for anew.
            const std::string problem = StoredDriverIniProblem(pv.Files(), pv.DriverIniFile);
            if (!problem.empty()) {
                ui.ShowMessage(problem);
                pv.DriverIniFile.clear();
            }
        }
        bool locatedNow = false;
        if (pv.DriverIniFile.empty()) {
            locatedNow = true;
            // Without a file-system service (no drive at all) there is nothing to search.
            if (pv.Files().Available()) pv.DriverIniFile = SearchDriverIni(pv.Files());
        }
        if (pv.DriverIniFile.empty()) {
            ui.ShowMessage(resources::LoadResString(103));
            pv.DriverIniFile =
                SelectFile(pv, ui, "c:\\", "driver.ini", " Please select the driver.ini file...");
        }
        if (pv.DriverIniFile.empty()) {
            ui.ShowMessage(resources::LoadResString(104));
            return;
        }
        if (locatedNow) {
            reg.Section("Movrand");
            reg.Key("DriverIniFile");
            reg.Setting(pv.DriverIniFile);
            reg.RegSave();
        }
        pv.GPLPath = FolderOfPath(pv.DriverIniFile);
        if (pv.GPLPath.empty() || pv.GPLPath.back() != '\\') pv.GPLPath += '\\';
        pv.DriverWorkFile = pv.AppPath + "driver.zorvex";
        SweepLeftoverTemporaries(pv);
        StripIniHeaders(pv, ui, pv.DriverIniFile, pv.DriverWorkFile);
        showMainWindow();
        opened = true;
    });
    return opened;
}

}  // namespace movrand
