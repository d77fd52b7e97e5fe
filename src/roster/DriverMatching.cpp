// SPDX-License-Identifier: GPL-3.0-or-later
#include "roster/DriverMatching.h"

#include "common/Functions.h"
#include "history/HistoryStep.h"
#include "platform/ErrorTrap.h"
#include "roster/DriverFiles.h"
#include "roster/IniFunctions.h"
#include "roster/RosterFile.h"
#include "roster/TeamTable.h"
#include "roster/WholeNumber.h"
#include "wine/Profile.h"

namespace movrand {

using platform::RunTrapped;
using platform::TrapForm;

namespace {

// One copy, under its own trap: a failure is reported and the pass goes on.
void CopyUnderTrap(ProgramValues& pv, platform::Ui& ui, platform::FileSystem& fs,
                   const std::string& from, const std::string& to) {
    // overwrite=false: a driver file that appeared meanwhile is still never replaced.
    RunTrapped(ui, TrapForm::Information, pv.ProgramName, [&] { fs.CopyFile(from, to, false); });
}

void MatchDriver(ProgramValues& pv, platform::Ui& ui, platform::FileSystem& fs, const Team& team,
                 const std::string& carNumber, const std::string& lastName) {
    const CarFileNames names = CarFilesOf(team.Prefix, lastName, carNumber);
    if (!IsSafeFileNamePart(carNumber) || !IsSafeFileNamePart(DriverFileBase(lastName, ""))) return;
    const std::string folder = pv.GPLPath + "cars\\cars67\\" + team.Folder + "\\";
    const std::string driverModel = folder + names.DriverModel;
    const std::string driverTexture = folder + names.DriverTexture;
    if (fs.FileExists(driverModel)) {
        if (!fs.FileExists(driverTexture))
            CopyUnderTrap(pv, ui, fs, folder + names.CarTexture, driverTexture);
    } else if (fs.FileExists(folder + names.CarModel)) {
        CopyUnderTrap(pv, ui, fs, folder + names.CarModel, driverModel);
        if (!fs.FileExists(driverTexture))
            CopyUnderTrap(pv, ui, fs, folder + names.CarTexture, driverTexture);
    }
}

}  // namespace

void MatchDriversToCars(ProgramValues& pv, platform::Ui& ui) {
    RunTrapped(ui, TrapForm::Common, pv.ProgramName, [&] {
        pv.GPLPath = FolderOfPath(pv.DriverIniFile);
        history::HistoryStep step(pv, "Drivers matched to their cars", &ui);
        platform::FileSystem fs = pv.Files();
        const platform::ProfileReadScope scope;
        for (int n = 1; n <= kRosterDrivers; ++n) {
            const std::string section = DriverSection(n);
            const int teamNumber =
                ToWholeNumber(ReadIniValue(pv, ui, section, "team_number", pv.DriverIniFile));
            const std::string carNumber =
                ReadIniValue(pv, ui, section, "car_number", pv.DriverIniFile);
            const std::string lastName =
                ReadIniValue(pv, ui, section, "last_name", pv.DriverIniFile);
            if (const Team* team = TeamByNumber(teamNumber))
                MatchDriver(pv, ui, fs, *team, carNumber, lastName);
        }
    });
}

std::vector<std::string> ShowTeamDrivers(ProgramValues& pv, platform::Ui& ui,
                                         const std::string& team, const std::string& teamFolder) {
    std::vector<std::string> entries;
    RunTrapped(ui, TrapForm::Information, pv.ProgramName, [&] {
        platform::FileSystem fs = pv.Files();
        const int teamNumber = TeamNumberOfFolder(team);
        // Every driver's number is still read, so a roster with a bad one is reported here too;
        // a name that is no team lists nobody, whatever the roster holds.
        const bool isTeam = TeamByNumber(teamNumber) != nullptr;
        std::string folder = teamFolder;
        if (!folder.empty() && folder.back() != '\\') folder += '\\';
        const platform::ProfileReadScope scope;
        for (int n = 1; n <= kRosterDrivers; ++n) {
            const std::string section = DriverSection(n);
            if (ToWholeNumber(ReadIniValue(pv, ui, section, "team_number", pv.DriverWorkFile)) !=
                    teamNumber ||
                !isTeam)
                continue;
            const std::string lastName =
                ReadIniValue(pv, ui, section, "last_name", pv.DriverWorkFile);
            const std::string firstName =
                ReadIniValue(pv, ui, section, "first_name", pv.DriverWorkFile);
            const std::string carNumber =
                ReadIniValue(pv, ui, section, "car_number", pv.DriverWorkFile);
            const std::string base = DriverFileBase(lastName, carNumber);
            const bool matched = IsSafeFileNamePart(base) && fs.FileExists(folder + base + ".3do");
            std::string entry = firstName + " " + lastName + " [" + carNumber;
            entry += matched ? "]   (matched to car)" : "]";
            entries.push_back(std::move(entry));
        }
    });
    return entries;
}

}  // namespace movrand
