#include <gtest/gtest.h>

#include "AddOnFixture.h"
#include "addons/InstallAddOnFiles.h"

namespace movrand::test {
namespace {

TEST(InstallCar, OverTheGamesCarMovesItIntoABackupAndLeavesRecords) {
    AddOnDrive drive;
    const Files original = drive.Snapshot(kFerrari);
    ASSERT_EQ(drive.Install(kClassic, "Ferrari 312"), InstallOutcome::Installed)
        << drive.Ui.Transcript();

    // The backup holds every file of the game's car except the team's .dat, byte for byte.
    Files expectedBackup = original;
    expectedBackup.erase("ferrari.dat");
    EXPECT_EQ(drive.Snapshot("C:\\sierra\\gpl\\cars\\replacedcars\\ferrari5122026749"),
              expectedBackup);

    const std::string entry = std::string(kClassic) + "\\Ferrari 312";
    Files expected = drive.Snapshot(entry);
    expected.erase("zorvex.bmp");
    expected.erase("zorvex.jpg");
    expected["ferrari.dat"] = original.at("ferrari.dat");
    expected["zorvexcarbmp.bmp"] = drive.Read(entry + "\\zorvex.bmp");
    expected["zorvexcarjpg.jpg"] = drive.Read(entry + "\\zorvex.jpg");
    expected["zorvexcardesc.zorvex"] =
        drive.Read(std::string(kClassic) + "\\zorvexferrari1.zorvex");
    EXPECT_EQ(drive.Snapshot(kFerrari), expected);

    ASSERT_EQ(drive.Ui.Messages.size(), 1u);
    EXPECT_EQ(drive.Ui.Messages[0].Text, "The new car has been added.");
    EXPECT_TRUE(drive.Ui.Traps.empty());
}

TEST(InstallCar, TheSameCarTwiceMakesNoSecondBackup) {
    AddOnDrive drive;
    ASSERT_EQ(drive.Install(kClassic, "Ferrari 312"), InstallOutcome::Installed);
    const Files once = drive.Snapshot(kFerrari);
    drive.Write(Ferrari("zorvexacc_Old.zorvex"), "[accessories]\r\n");
    ASSERT_EQ(drive.Install(kClassic, "Ferrari 312"), InstallOutcome::Installed);
    // The program's own car and its accessory records go; the result equals one installation.
    EXPECT_EQ(drive.Snapshot(kFerrari), once);
    EXPECT_EQ(drive.Pv.Files().FolderNames("C:\\sierra\\gpl\\cars\\replacedcars"),
              std::vector<std::string>{kStamp});
}

TEST(InstallCar, OverAFolderHoldingOnlyTheDatMakesNoBackup) {
    AddOnDrive drive;
    for (const auto& [name, bytes] : drive.Snapshot(kFerrari))
        if (name != "ferrari.dat") drive.Pv.Files().DeleteFile(std::string(kFerrari) + "\\" + name);
    ASSERT_EQ(drive.Install(kClassic, "Ferrari 312"), InstallOutcome::Installed);
    EXPECT_FALSE(drive.Exists("C:\\sierra\\gpl\\cars\\replacedcars"));
}

TEST(InstallCar, WithoutAMarkerEntryTheDescriptionAsksToKeepTheFolder) {
    AddOnDrive drive;
    drive.Write("C:\\addons\\loose\\My Car\\fer9.3do", "loose model");
    EXPECT_EQ(InstallAddOnFiles(drive.Pv, drive.Ui, false, "ferrari", "C:\\addons\\loose\\My Car",
                                "My Car", "", "C:\\addons\\loose"),
              InstallOutcome::Installed);
    EXPECT_EQ(drive.Read(Ferrari("zorvexcardesc.zorvex")), "DO NOT DELETE OR MOVE THIS FOLDER\r\n");
    EXPECT_EQ(drive.Read(Ferrari("fer9.3do")), "loose model");
    EXPECT_FALSE(drive.Exists(Ferrari("zorvexcarbmp.bmp")));
}

TEST(InstallCar, TheTeamWindowChoosesTheTeamWhenTheMarkerNamesNone) {
    AddOnDrive drive;
    const std::string folder = drive.MakeOneEntry("Anyteam", "", "Green Car", "car",
                                                  {{"car.3do", "green"}}, "A green car.\r\n");
    drive.Ui.Teams = {"Cooper"};
    ASSERT_EQ(drive.Install(folder, "Green Car"), InstallOutcome::Installed);
    EXPECT_EQ(drive.Ui.TeamCalls, 1);
    EXPECT_EQ(drive.Read(drive.TeamFolder("coventry") + "\\car.3do"), "green");
    EXPECT_EQ(drive.Read(drive.TeamFolder("coventry") + "\\zorvexcardesc.zorvex"),
              drive.Read(folder + "\\zorvexcoventry1.zorvex"));
    EXPECT_TRUE(drive.Exists("C:\\sierra\\gpl\\cars\\replacedcars\\coventry5122026749\\cov.3do"));

    // A team window closed without a choice, or a team the game does not have: nothing at all.
    const Files before = drive.Snapshot("C:\\sierra\\gpl");
    drive.Ui.Messages.clear();
    EXPECT_EQ(drive.Install(folder, "Green Car"), InstallOutcome::NoTeam);
    EXPECT_EQ(InstallAddOnFiles(drive.Pv, drive.Ui, false, "mclaren", folder + "\\Green Car",
                                "Green Car", "", folder),
              InstallOutcome::NoTeam);
    EXPECT_EQ(drive.Snapshot("C:\\sierra\\gpl"), before);
    EXPECT_TRUE(drive.Ui.Messages.empty());
    EXPECT_TRUE(drive.Ui.Traps.empty());
}

// Records whether the pointer was busy whenever a window was up.
class PointerWatchingUi : public ScriptedUi {
  public:
    void ShowMessage(const std::string& message, int width, int height) override {
        BusyWhileShown.push_back(IsBusy());
        ScriptedUi::ShowMessage(message, width, height);
    }
    void ShowPlatformMessage(const std::string& text, platform::MessageIcon icon,
                             const std::string& title) override {
        BusyWhileShown.push_back(IsBusy());
        ScriptedUi::ShowPlatformMessage(text, icon, title);
    }
    std::vector<bool> BusyWhileShown;
};

TEST(InstallCar, MessagesShowTheNormalPointerAndTheHourglassComesBack) {
    AddOnDrive drive;
    PointerWatchingUi ui;
    ui.SetBusy(true);
    const std::string entry = std::string(kClassic) + "\\Ferrari 312";
    EXPECT_EQ(InstallAddOnFiles(drive.Pv, ui, false, "ferrari", entry, "Ferrari 312", "", kClassic),
              InstallOutcome::Installed);
    EXPECT_EQ(InstallAddOnFiles(drive.Pv, ui, false, "ferrari", "C:\\addons\\missing", "missing",
                                "", kClassic),
              InstallOutcome::Failed);
    EXPECT_EQ(ui.BusyWhileShown, (std::vector<bool>{false, false}));
    EXPECT_TRUE(ui.IsBusy());
    ASSERT_EQ(ui.Traps.size(), 1u);
    EXPECT_EQ(ui.Traps[0].Text, "76 Path not found");
    EXPECT_EQ(ui.Traps[0].Icon, platform::MessageIcon::Critical);
    EXPECT_EQ(ui.Traps[0].Title, "Movrand");
}

TEST(InstallCar, ACarBringingAnotherDatKeepsACopyOfTheOldOne) {
    AddOnDrive drive;
    const std::string folder =
        drive.MakeOneEntry("Datcar", "ferrari", "Dat Car", "car",
                           {{"ferrari.dat", "new team data"}, {"x.3do", "x"}}, "d\r\n");
    const std::string oldDat = drive.Read(Ferrari("ferrari.dat"));
    ASSERT_EQ(drive.Install(folder, "Dat Car"), InstallOutcome::Installed);
    EXPECT_EQ(drive.Read(Ferrari("ferrari.dat")), "new team data");
    EXPECT_EQ(drive.Read("C:\\sierra\\gpl\\cars\\replacedcars\\ferrari5122026749\\ferrari.dat"),
              oldDat);

    // Over the program's own car as well; the same .dat again needs no copy.
    drive.Clock->Time.Second = 30;
    ASSERT_EQ(drive.Install(kClassic, "Ferrari 312"), InstallOutcome::Installed);
    ASSERT_EQ(drive.Install(folder, "Dat Car"), InstallOutcome::Installed);
    EXPECT_EQ(drive.Pv.Files().FolderNames("C:\\sierra\\gpl\\cars\\replacedcars").size(), 1u);
    drive.Write(Ferrari("ferrari.dat"), "edited by the user");
    ASSERT_EQ(drive.Install(folder, "Dat Car"), InstallOutcome::Installed);
    EXPECT_EQ(drive.Read("C:\\sierra\\gpl\\cars\\replacedcars\\ferrari51220267430\\ferrari.dat"),
              "edited by the user");
}

TEST(InstallCar, AMissingDescriptionFileFailsBeforeAnythingChanges) {
    AddOnDrive drive;
    drive.Pv.Files().DeleteFile(std::string(kClassic) + "\\zorvexferrari1.zorvex");
    const Files before = drive.Snapshot("C:\\sierra\\gpl");
    EXPECT_EQ(drive.Install(kClassic, "Ferrari 312"), InstallOutcome::Failed);
    EXPECT_EQ(drive.Snapshot("C:\\sierra\\gpl"), before);
    ASSERT_EQ(drive.Ui.Traps.size(), 1u);
    EXPECT_EQ(drive.Ui.Traps[0].Text, "53 File not found");
    EXPECT_TRUE(drive.Ui.Messages.empty());
}

}  // namespace
}  // namespace movrand::test
