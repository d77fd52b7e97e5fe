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
    EXPECT_EQ(drive.Read(kCars + "lotus\\Cla12a.3do"), drive.Read(kCars + "lotus\\lot12.3do"));
}

TEST(MatchDriversToCars, FindsFilesWhateverTheirCaseAndMakesNoCaseTwins) {
    TempDrive drive;
    UseTeamlessRoster(drive, {{"Chris", "Amon", "20", "4", "12"}, {"Ann", "Ng", "1", "4", "21"}});
    drive.Write(kCars + "ferrari\\Fer12.3DO", "upper model");
    drive.Write(kCars + "ferrari\\FER12.MIP", "upper texture");
    drive.Write(kCars + "ferrari\\AMO12A.MIP", "Amon's texture");
    drive.Write(kCars + "ferrari\\fer21.3do", "model 21");
    drive.Write(kCars + "ferrari\\fer21.mip", "texture 21");
    drive.Write(kCars + "ferrari\\ng21A.3DO", "Ng's model");
    MatchDriversToCars(drive.Pv, drive.Ui);
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
    EXPECT_EQ(drive.Read(kCars + "ferrari\\Amo12a.3do"), "upper model");
    EXPECT_EQ(CountNoCase(drive, "ferrari", "Amo12a.3do"), 1);
    EXPECT_EQ(CountNoCase(drive, "ferrari", "Amo12a.mip"), 1);
    EXPECT_EQ(drive.Read(kCars + "ferrari\\AMO12A.MIP"), "Amon's texture");
    // A two-letter last name uses both letters; the model in capitals counts as present.
    EXPECT_EQ(CountNoCase(drive, "ferrari", "Ng21a.3do"), 1);
    EXPECT_EQ(drive.Read(kCars + "ferrari\\Ng21a.mip"), "texture 21");
}

TEST(MatchDriversToCars, NothingIsCreatedWithoutAModel) {
    TempDrive drive;
    UseTeamlessRoster(drive, {{"Chris", "Amon", "20", "4", "50"},
                              {"Jim", "Clark", "12", "9", "12"},
                              {"Jo", "Ox", "12", "5", "12"}});
    drive.Write(kCars + "ferrari\\fer50.mip", "texture only");
    drive.Write(kCars + "LOTUS\\Oxa.mip", "");
    const auto ferrari = FilesIn(drive, "ferrari");
    const auto lotus = FilesIn(drive, "lotus");
    MatchDriversToCars(drive.Pv, drive.Ui);
    EXPECT_EQ(FilesIn(drive, "ferrari"), ferrari);
    // Team 9 is no team; Ox matches lot12 in the lotus folder.
    EXPECT_EQ(FilesIn(drive, "lotus").size(), lotus.size() + 2);
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
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

TEST(MatchDriversToCars, ReadsDriverIniAndKeepsEveryFileInsideItsTeamFolder) {
    TempDrive drive;
    UseTeamlessRoster(drive, {{"Chris", "Amon", "20", "4", "9"},
                              {"Jim", "Clark", "12", "5", "x\\..\\..\\brm\\x"}});
    drive.Write(kCars + "brm\\x.3do", "not Clark's");
    drive.Write(kCars + "brm\\x.mip", "not Clark's");
    const auto lotus = FilesIn(drive, "lotus");
    // A change only in the working copy is not what the game has.
    WriteIniValue(drive.Pv, drive.Ui, "driver_1", "car_number", "10", drive.Pv.DriverWorkFile);
    MatchDriversToCars(drive.Pv, drive.Ui);
    EXPECT_TRUE(drive.Exists(kCars + "ferrari\\Amo9a.3do"));
    EXPECT_FALSE(drive.Exists(kCars + "ferrari\\Amo10a.3do"));
    EXPECT_EQ(CountNoCase(drive, "brm", "xa.3do"), 0);
    EXPECT_EQ(FilesIn(drive, "lotus"), lotus);
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
    MatchDriversToCars(drive.Pv, drive.Ui);
    EXPECT_EQ(ShowTeamDrivers(drive.Pv, drive.Ui, "murasama", kCars + "murasama"),
              std::vector<std::string>{"John Surtees [15]   (matched to car)"});
    WriteIniValue(drive.Pv, drive.Ui, "driver_14", "car_number", "33", drive.Pv.DriverWorkFile);
    EXPECT_EQ(ShowTeamDrivers(drive.Pv, drive.Ui, "murasama", kCars + "murasama"),
              std::vector<std::string>{"John Surtees [33]"});

    UseTeamlessRoster(
        drive,
        {{"Ann", "Lee", "1", "2", "3"}, {"Bo", "Ng", "1", "x", "4"}, {"Cy", "Ox", "1", "2", "5"}});
    EXPECT_EQ(ShowTeamDrivers(drive.Pv, drive.Ui, "coventry", kCars + "coventry"),
              std::vector<std::string>{"Ann Lee [3]"});
    ASSERT_EQ(drive.Ui.Traps.size(), 1u);
    EXPECT_EQ(drive.Ui.Traps[0].Text, "13\r\nType mismatch");
    EXPECT_EQ(drive.Ui.Traps[0].Icon, platform::MessageIcon::Information);
}

}  // namespace
}  // namespace movrand::test
