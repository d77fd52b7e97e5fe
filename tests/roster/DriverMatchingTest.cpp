#include <gtest/gtest.h>

#include <filesystem>

#include "RosterText.h"
#include "TempDrive.h"
#include "platform/Text.h"
#include "roster/DriverMatching.h"
#include "roster/IniFunctions.h"

namespace movrand::test {
namespace {

const std::string kCars = "C:\\sierra\\gpl\\cars\\cars67\\";

// The names in a team folder as stored on disk.
std::vector<std::string> FilesIn(TempDrive& drive, const std::string& folder) {
    return drive.Pv.Files().FileNames(kCars + folder);
}

// How many names in the folder equal the name without regard to case.
int CountNoCase(TempDrive& drive, const std::string& folder, const std::string& name) {
    int count = 0;
    for (const std::string& file : FilesIn(drive, folder))
        count += platform::EqualsNoCase(file, name);
    return count;
}

// A roster whose first drivers are given; the rest of the 19 drive for no team.
void UseTeamlessRoster(TempDrive& drive, const std::vector<RosterDriver>& drivers) {
    UseRoster(drive, drivers, RosterDriver{"No", "Team", "1", "9", "99"});
}

TEST(MatchDriversToCars, GivesEveryDriverCopiesOfHisCarFilesAndNeverOverwritesHisOwn) {
    TempDrive drive;
    drive.Write(kCars + "ferrari\\Amo9a.3do", "Amon's own model");
    drive.Write(kCars + "ferrari\\Ban10a.3do", "Bandini's own model");
    drive.Write(kCars + "ferrari\\Ban10a.mip", "Bandini's own texture");
    drive.Pv.GPLPath = "C:\\elsewhere\\";
    MatchDriversToCars(drive.Pv, drive.Ui);
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
    EXPECT_EQ(drive.Pv.GPLPath, "C:\\sierra\\gpl\\");
    // Chris Amon, Ferrari, number 9: his own model stays, the missing texture is completed.
    EXPECT_EQ(drive.Read(kCars + "ferrari\\Amo9a.3do"), "Amon's own model");
    EXPECT_EQ(drive.Read(kCars + "ferrari\\Amo9a.mip"), drive.Read(kCars + "ferrari\\fer9.mip"));
    EXPECT_EQ(drive.Read(kCars + "ferrari\\fer9.mip"), "texture of car 9\r\n");
    EXPECT_EQ(drive.Read(kCars + "ferrari\\Ban10a.3do"), "Bandini's own model");
    EXPECT_EQ(drive.Read(kCars + "ferrari\\Ban10a.mip"), "Bandini's own texture");
    // Dan Gurney's number is "07" as stored.
    EXPECT_EQ(drive.Read(kCars + "eagle\\Gur07a.mip"), "texture of car 07\r\n");
    // Honda: the murasama folder (stored as MURASAMA) and the prefix mur; no second folder.
    EXPECT_EQ(drive.Read(kCars + "murasama\\Sur15a.3do"), "model of car 15\r\n");
    EXPECT_EQ(drive.Pv.Files().FolderNames(kCars).size(), 7u);
    EXPECT_EQ(CountNoCase(drive, "lotus", "Cla12a.3do"), 1);
}

// Files are found in any case, no case twins are made, nothing without a model, nothing outside
// the team folder, and the numbers are driver.ini's, not the working copy's.
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
    const auto ferrari = FilesIn(drive, "ferrari").size();
    const auto brm = FilesIn(drive, "brm").size();
    MatchDriversToCars(drive.Pv, drive.Ui);
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
    EXPECT_EQ(drive.Read(kCars + "ferrari\\Amo12a.3do"), "Fer12.3DO");
    EXPECT_EQ(drive.Read(kCars + "ferrari\\amo12a.mip"), "AMO12A.MIP");
    EXPECT_EQ(drive.Read(kCars + "ferrari\\Ng21a.mip"), "fer21.mip");
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
    ASSERT_EQ(drive.Ui.Traps.size(), 2u);
    EXPECT_EQ(drive.Ui.Traps[0].Text, "53\r\nFile not found");
    EXPECT_EQ(drive.Ui.Traps[0].Icon, platform::MessageIcon::Information);
    EXPECT_EQ(drive.Ui.Traps[0].Title, "Movrand");
    EXPECT_EQ(drive.Read(kCars + "ferrari\\Amo30a.3do"), "model 30");
    EXPECT_EQ(CountNoCase(drive, "ferrari", "Amo30a.mip"), 0);
    EXPECT_EQ(drive.Read(kCars + "lotus\\Cla12a.3do"), "model of car 12\r\n");
    EXPECT_EQ(drive.Ui.Traps[1].Text, "13\r\nType mismatch");
    EXPECT_EQ(drive.Ui.Traps[1].Title, "MovrandError");
    EXPECT_EQ(drive.Ui.Traps[1].Icon, platform::MessageIcon::None);
    EXPECT_FALSE(drive.Exists(kCars + "lotus\\Hil14a.3do"));
}

TEST(ShowTeamDrivers, ListsTheTeamsDriversWithTheMatchMark) {
    TempDrive drive;
    const std::vector<std::string> unmatched = {"Jochen Rindt [5]", "Pedro Rodriguez [6]",
                                                "Jo Siffert [16]", "Guy Ligier [18]"};
    EXPECT_EQ(ShowTeamDrivers(drive.Pv, drive.Ui, "coventry", kCars + "coventry"), unmatched);
    drive.Write(kCars + "coventry\\RIN5A.3DO", "Rindt's model");
    const std::vector<std::string> oneMatched = {"Jochen Rindt [5]   (matched to car)",
                                                 "Pedro Rodriguez [6]", "Jo Siffert [16]",
                                                 "Guy Ligier [18]"};
    for (const std::string team : {"coventry", "Coventry", "COOPER"})
        EXPECT_EQ(ShowTeamDrivers(drive.Pv, drive.Ui, team, kCars + "coventry\\"), oneMatched)
            << team;
    // The folder as passed decides: "cooper" is no folder of the game, so nothing is matched.
    EXPECT_EQ(ShowTeamDrivers(drive.Pv, drive.Ui, "cooper", kCars + "cooper"), unmatched);
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
}

TEST(ShowTeamDrivers, ReadsTheWorkingCopyAndEndsAtABadTeamNumber) {
    TempDrive drive;
    UseTeamlessRoster(
        drive,
        {{"Ann", "Lee", "1", "2", "3"}, {"Bo", "Ng", "1", "x", "4"}, {"Cy", "Ox", "1", "2", "5"}});
    WriteIniValue(drive.Pv, drive.Ui, "driver_1", "car_number", "33", drive.Pv.DriverWorkFile);
    EXPECT_EQ(ShowTeamDrivers(drive.Pv, drive.Ui, "coventry", kCars + "coventry"),
              std::vector<std::string>{"Ann Lee [33]"});
    ASSERT_EQ(drive.Ui.Traps.size(), 1u);
    EXPECT_EQ(drive.Ui.Traps[0].Text, "13\r\nType mismatch");
    EXPECT_EQ(drive.Ui.Traps[0].Icon, platform::MessageIcon::Information);
}

}  // namespace
}  // namespace movrand::test
