// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/Main.h"

#include "common/Functions.h"
#include "common/clsReg.h"
#include "folders/SwapSettling.h"
#include "history/HistoryRestore.h"
#include "installation/DriverIniSearch.h"
#include "installation/GplInstallation.h"
#include "installation/Installations.h"
#include "launchers/WinePrefixes.h"
#include "platform/ErrorTrap.h"
#include "platform/SettingsKeys.h"
#include "platform/Text.h"
#include "resources/StringTable.h"
#include "roster/IniFunctions.h"
#include "session/LeftoverSweep.h"
#include "wine/PrefixPlace.h"

namespace movrand {

using platform::RuntimeError;

namespace {

// The stored installation's prefix, when this run is to use it: "" keeps the run's own prefix.
// With $WINEPREFIX the stored installation counts only when it lies in that prefix; false when
// the stored installation is not to be used at all.
bool ApplyStoredPrefix(ProgramValues& pv, platform::Ui& ui, const std::string& storedPrefix) {
    if (storedPrefix.empty()) return true;  // stored before prefixes were: the run's own prefix
    const std::filesystem::path prefix(storedPrefix);
    if (pv.Env.PrefixGiven) return platform::SamePrefix(prefix, pv.Env.WinePrefix);
    if (platform::SamePrefix(prefix, pv.Env.WinePrefix)) return true;
    if (!platform::IsWinePrefix(prefix)) {
        ui.ShowMessage("The Wine prefix of the GPL installation last used, " + storedPrefix +
                       ", could not be found. Movrand will look for it again.");
        return false;
    }
    UseInstallationPrefix(pv, prefix);
    return true;
}

// The first start's search: one prefix's drives when the run names its prefix (or has no home to
// search), else every prefix found, with the chooser when there are several. Switches the run to
// the prefix of what it found. False when the Ui refused to choose (the start then ends).
bool SearchInstallations(ProgramValues& pv, platform::Ui& ui) {
    if (pv.Env.WinePrefix.empty() ||
        (pv.Env.PrefixGiven && !platform::IsWinePrefix(pv.Env.WinePrefix))) {
        // Without a file-system service (no drive at all) there is nothing to search.
        if (pv.Files().Available()) pv.DriverIniFile = SearchDriverIni(pv.Files());
        return true;
    }
    ui.SetBusy(true);
    const std::vector<Installation> found =
        pv.Env.PrefixGiven || pv.Env.Home.empty()
            ? SearchPrefix({pv.Env.WinePrefix, {}}, pv.Env.Home)
            : FindInstallations({pv.Env.Home, pv.Env.ConfigHome, pv.Env.DataHome},
                                pv.Env.WinePrefix);
    ui.SetBusy(false);
    int chosen = found.size() == 1 ? 0 : platform::kChoiceCancelled;
    if (found.size() > 1) {
        std::vector<platform::InstallationLine> lines;
        for (const Installation& i : found) lines.push_back({i.Prefix.string(), i.DriverIniFile});
        chosen = ui.ChooseInstallation(lines);
        if (chosen == platform::kChoiceRefused) return false;
    }
    if (chosen < 0 || chosen >= static_cast<int>(found.size())) return true;
    UseInstallationPrefix(pv, found[chosen].Prefix);
    pv.DriverIniFile = found[chosen].DriverIniFile;
    return true;
}

// Takes the stored installation's lock when its folder is there (one that has gone is told and
// searched for later). False when another run holds it.
bool LockStoredInstallation(ProgramValues& pv, platform::Ui& ui) {
    const std::string folder = FolderOfPath(pv.DriverIniFile);
    try {
        if (folder.empty() || !pv.Files().FolderExists(folder)) return true;
    } catch (const RuntimeError&) {
        return true;  // a drive that is not ready: the stored path is checked again below
    }
    return LockInstallation(pv, ui, folder);
}

// The website address, its default stored when none is.
void ReadWebsiteURL(ProgramValues& pv) {
    clsReg reg(pv.Env.Settings);
    reg.AppName(platform::kSettingsApp);
    reg.Section(platform::kZorvexSection);
    reg.Key(platform::kZorvexURLKey);
    reg.RegGet();
    if (!reg.Setting().empty()) {
        pv.WebsiteURL = reg.Setting();
    } else {
        pv.WebsiteURL = kDefaultWebsiteURL;
        reg.Setting(pv.WebsiteURL);
        reg.RegSave();
    }
}

enum class Located {
    Stored,  // the stored installation, which passed its check
    Now,     // one searched for or picked: to be stored
    Refused  // the Ui refused to choose among several: the start ends
};

// The stored installation, or one searched for, or one the user picks, in pv.DriverIniFile.
Located LocateInstallation(ProgramValues& pv, platform::Ui& ui) {
    if (!pv.DriverIniFile.empty()) {
        // A stored path is trusted only as the roster of an installation: anything else
        // (a file that has gone, another text file) is searched for anew.
        const std::string problem = StoredDriverIniProblem(pv.Files(), pv.DriverIniFile);
        if (!problem.empty()) {
            ui.ShowMessage(problem);
            pv.DriverIniFile.clear();
        }
    }
    if (!pv.DriverIniFile.empty()) return Located::Stored;
    if (!SearchInstallations(pv, ui)) return Located::Refused;
    if (pv.DriverIniFile.empty()) {
        ui.ShowMessage(resources::LoadResString(resources::kDriverIniNotFound));
        pv.DriverIniFile =
            SelectFile(pv, ui, "c:\\", "driver.ini", " Please select the driver.ini file...");
        // A file picked through the drive of "/" inside some prefix is that prefix's file.
        pv.DriverIniFile = InItsOwnPrefix(pv, pv.DriverIniFile);
    }
    return Located::Now;
}

// The installation named for this run alone: its folder in the run's prefix, or in the prefix
// a native path lies in. "" after setting `problem` when it is no installation.
std::string GivenInstallationFolder(ProgramValues& pv, const std::string& given,
                                    std::string& problem) {
    // A native path inside a prefix is that prefix's installation, and this run works in it.
    const std::string folder = InItsOwnPrefix(pv, WindowsNotation(pv.Files(), given));
    const InstallationCheck check = CheckGPLInstallation(pv.Files(), folder);
    if (check == InstallationCheck::Valid) return folder;
    problem = InstallationCheckMessage(check);
    return "";
}

}  // namespace

StartedRun StartUp(ProgramValues& pv, platform::Ui& ui, const StartUpChoices& choices,
                   const std::function<void()>& begin) {
    StartedRun run;
    // Runs that name their installation, or need none, keep their own prefix: their paths
    // are read in it.
    const bool usesStored = choices.NeedsInstallation && !choices.GivenInstallation;
    pv.ProgramName = resources::LoadResString(resources::kProgramName);
    platform::RunTrapped(ui, platform::TrapForm::Information, pv.ProgramName, [&] {
        pv.Env.Rnd.SeedFromTimer();
        const std::string storedDriverIni = pv.Env.Settings.Get(
            platform::kSettingsApp, platform::kMovrandSection, platform::kDriverIniFileKey);
        const std::string storedPrefix = pv.Env.Settings.Get(
            platform::kSettingsApp, platform::kMovrandSection, platform::kWinePrefixKey);
        pv.DriverIniFile = storedDriverIni;
        // The stored installation's prefix comes first: its drives give every Windows path of
        // the run its meaning, the settling of a cut-short swap's included.
        if (usesStored && !pv.DriverIniFile.empty() && !ApplyStoredPrefix(pv, ui, storedPrefix))
            pv.DriverIniFile.clear();
        InitAppPath(pv);
        // A swap cut short was made on the stored installation: this run holds it before settling.
        if (usesStored && !LockStoredInstallation(pv, ui)) return;
        // A car folder swap that an earlier run could not finish is settled before anything else.
        SettleInterruptedSwap(pv, ui);
        if (!choices.NeedsInstallation) {
            pv.GPLPath = FolderOfPath(pv.DriverIniFile);
            pv.DriverWorkFile = pv.AppPath + "driver.zorvex";
            run.How = StartedRun::End::Ready;
            return;
        }
        ReadWebsiteURL(pv);

        bool locatedNow = false;
        if (choices.GivenInstallation) {
            const std::string folder =
                GivenInstallationFolder(pv, *choices.GivenInstallation, run.Problem);
            if (folder.empty()) {
                run.How = StartedRun::End::NotAnInstallation;
                return;
            }
            pv.DriverIniFile = folder + (folder.back() == '\\' ? "" : "\\") + "driver.ini";
        } else {
            const Located located = LocateInstallation(pv, ui);
            if (located == Located::Refused) return;
            locatedNow = located == Located::Now;
        }
        if (pv.DriverIniFile.empty()) {
            ui.ShowMessage(resources::LoadResString(resources::kNoDriverIniTerminating));
            return;
        }
        pv.GPLPath = FolderOfPath(pv.DriverIniFile);
        if (pv.GPLPath.empty() || pv.GPLPath.back() != '\\') pv.GPLPath += '\\';
        // The roster is copied, and the choice stored, only once this run holds the installation.
        if (!LockInstallation(pv, ui, pv.GPLPath)) return;
        if (locatedNow) {
            pv.Env.Settings.Save(platform::kSettingsApp, platform::kMovrandSection,
                                 platform::kDriverIniFileKey, pv.DriverIniFile);
            pv.Env.Settings.Save(platform::kSettingsApp, platform::kMovrandSection,
                                 platform::kWinePrefixKey, StoredPrefixOf(pv));
        }
        pv.DriverWorkFile = pv.AppPath + "driver.zorvex";
        if (choices.GivenInstallation) {
            // The program's working copy holds the stored installation's roster only.
            const bool storedHere =
                storedPrefix.empty() || platform::SamePrefix(storedPrefix, pv.Env.WinePrefix);
            const platform::FileSystem fs = pv.Files();
            if (storedDriverIni.empty() || !storedHere || !fs.FileExists(storedDriverIni) ||
                !fs.IsWithin(storedDriverIni, pv.DriverIniFile)) {
                run.OwnWorkFile = pv.AppPath + "clidriver.zorvex";
                pv.DriverWorkFile = run.OwnWorkFile;
            }
        }
        if (choices.SweepLeftovers) SweepLeftoverTemporaries(pv);
        // A step or a restore of the installation's history that a run left unfinished; a
        // damaged history is named and keeps nothing else from starting.
        platform::RunTrapped(ui, platform::TrapForm::Information, pv.ProgramName,
                             [&] { history::SettleHistory(pv, ui, choices.UnfinishedRestore); });
        run.WorkingCopyMade = StripIniHeaders(pv, ui, pv.DriverIniFile, pv.DriverWorkFile);
        if (begin) begin();
        run.How = StartedRun::End::Ready;
    });
    return run;
}

bool Main(ProgramValues& pv, platform::Ui& ui, const std::function<void()>& showMainWindow) {
    return StartUp(pv, ui, {}, showMainWindow).How == StartedRun::End::Ready;
}

int EndedStartStatus(const ProgramValues& pv) {
    return pv.InstallationRefused ? 3 : 0;
}

}  // namespace movrand
