// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "RosterText.h"
#include "TempDrive.h"
#include "roster/DriverMatching.h"
#include "roster/IniFunctions.h"

namespace movrand::test {
namespace {

const std::string kCars = "C:\\sierra\\gpl\\cars\\cars67\\";

std::vector<std::string> FilesIn(TempDrive& drive, const std::string& folder) {
    return drive.Pv.Files().FileNames(kCars + folder);
}

// The drivers given, the rest of the 19 drive for no team.
void UseTeamlessRoster(TempDrive& drive, const std::vector<RosterDriver>& drivers) {
    UseRoster(drive, drivers, RosterDriver{"No", "Team", "1", "9", "99"});
}

// Files are found in any case, a driver's own files are never overwritten, no case twins are
// made, nothing without a model, nothing outside the team folder, the numbers are driver.ini's.
TEST(MatchDriversToCars, FindsFilesInAnyCaseAndKeepsInsideTheTeamFolder) {
    TempDrive drive;
    UseTeamlessRoster(drive, {{"Chris", "Amon", "20", "4", "12"},
                              {"Ann", "Ng", "1", "4", "21"},
                              {"Bo", "Lee", "1", "4", "50"},
                              {"Jo", "Ox", "12", "5", "x\\..\\..\\brm\\x"}});
    for (const char* file : {"Fer12.3DO", "FER12.MIP", "AMO12A.MIP", "fer21.3do", "fer21.mip",
                             "ng21A.3DO", "fer50.mip", "..\\brm\\x.3do"})
        drive.Write(kCars + "ferrari\\" + file, file);
    WriteIniValue(drive.Pv, drive.Ui, "driver_1", "car_number", "21", drive.Pv.DriverWorkFile);
    drive.Pv.GPLPath = "C:\\elsewhere\\";
    const auto ferrari = FilesIn(drive, "ferrari").size();
    const auto brm = FilesIn(drive, "brm").size();
    MatchDriversToCars(drive.Pv, drive.Ui);
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
    EXPECT_EQ(drive.Read(kCars + "ferrari\\Amo12a.3do"), "Fer12.3DO");
    EXPECT_EQ(drive.Read(kCars + "ferrari\\amo12a.mip"), "AMO12A.MIP");
    EXPECT_EQ(drive.Read(kCars + "ferrari\\Ng21a.mip"), "fer21.mip");
    EXPECT_EQ(drive.Read(kCars + "ferrari\\Ng21a.3do"), "ng21A.3DO");
    EXPECT_EQ(drive.Pv.GPLPath, "C:\\sierra\\gpl\\");
    EXPECT_EQ(FilesIn(drive, "ferrari").size(), ferrari + 2);  // Amo12a.3do, Ng21a.mip
    EXPECT_EQ(FilesIn(drive, "brm").size(), brm);
}

// A failed copy is reported, creates nothing and the pass goes on; a team number that is no
// number ends the pass with the common report.
TEST(MatchDriversToCars, AFailedCopyIsReportedAndABadTeamNumberEndsThePass) {
    TempDrive drive;
    UseTeamlessRoster(drive, {{"Chris", "Amon", "20", "4", "30"},
                              {"Jim", "Clark", "12", "5", "12"},
                              {"Jo", "Bad", "1", kAbsent, "1"},
                              {"Graham", "Hill", "12", "5", "14"}});
    drive.Write(kCars + "ferrari\\fer30.3do", "model 30");
    MatchDriversToCars(drive.Pv, drive.Ui);
    EXPECT_EQ(drive.Ui.Transcript(),
              "trap: Movrand: 53\r\nCannot read C:\\sierra\\gpl\\cars\\cars67\\ferrari\\fer30.mip: "
              "file not found\ntrap: MovrandError: 13\r\nType mismatch\n");
    EXPECT_EQ(drive.Ui.Traps[0].Icon, platform::MessageIcon::Information);
    EXPECT_EQ(drive.Read(kCars + "ferrari\\Amo30a.3do"), "model 30");
    EXPECT_FALSE(drive.Exists(kCars + "ferrari\\Amo30a.mip"));
    EXPECT_EQ(drive.Read(kCars + "lotus\\Cla12a.3do"), "model of car 12\r\n");
    EXPECT_FALSE(drive.Exists(kCars + "lotus\\Hil14a.3do"));
}

}  // namespace
}  // namespace movrand::test
