#include <gtest/gtest.h>

#include <filesystem>

#include "DemoInstallation.h"
#include "Samples.h"
#include "TempDrive.h"
#include "mainwindow/GplInstallation.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

const char* kValid = "C:\\other\\gpl";

struct Switch {
    TempDrive drive;
    std::string oldWorkingCopy;

    Switch() {
        MakeOtherInstallation(drive.DriveC() / "other" / "gpl");
        drive.Pv.Env.Settings.Save("Zorvex", "Movrand", "DriverIniFile",
                                   "C:\\sierra\\gpl\\driver.ini");
        oldWorkingCopy = drive.Read(drive.Pv.DriverWorkFile);
    }
    InstallationCheck Check(const std::string& folder) {
        return CheckGPLInstallation(drive.Pv.Files(), folder);
    }
    std::string Stored() { return drive.Pv.Env.Settings.Get("Zorvex", "Movrand", "DriverIniFile"); }
    void ExpectUnchanged(const std::string& why) {
        EXPECT_EQ(drive.Pv.GPLPath, "C:\\sierra\\gpl\\") << why;
        EXPECT_EQ(drive.Pv.DriverIniFile, "C:\\sierra\\gpl\\driver.ini") << why;
        EXPECT_EQ(Stored(), "C:\\sierra\\gpl\\driver.ini") << why;
        EXPECT_EQ(drive.Read(drive.Pv.DriverWorkFile), oldWorkingCopy) << why;
        std::vector<std::string> appFolder;
        for (const auto& e : fs::directory_iterator(drive.Native(drive.Pv.AppPath)))
            appFolder.push_back(e.path().filename().string());
        EXPECT_EQ(appFolder, std::vector<std::string>{"driver.zorvex"}) << why;
    }
};

TEST(GplInstallationCheck, TestsEachItemInTurnAndCountsTeamFoldersInAnyCase) {
    for (const char* item : {"gpl.exe", "driver.ini", "gpl_ai.ini", "tracks", "cars"}) {
        Switch t;
        fs::remove_all(t.drive.Native(std::string(kValid) + "\\" + item));
        if (std::string(item) == "tracks") t.drive.Write("C:\\other\\gpl\\tracks", "a file");
        EXPECT_EQ(t.Check(kValid), InstallationCheck::Invalid) << item;
    }
    Switch s;
    const fs::path cars = s.drive.Native("C:\\other\\gpl\\cars\\cars67");
    fs::rename(cars / "brabham", cars / "Brabham");
    fs::create_directories(cars / "spare");
    EXPECT_EQ(s.Check("c:\\OTHER\\Gpl\\"), InstallationCheck::Valid);
    fs::rename(cars / "coventry", cars / "cooper");  // six teams and two unrelated folders
    EXPECT_EQ(s.Check(kValid), InstallationCheck::Invalid);
    EXPECT_EQ(InstallationCheckMessage(InstallationCheck::TechnicalFailure),
              "There has been a technical failure - the operation cannot be completed.");
}

TEST(ChangeGPLInstallation, YesSwitchesEverythingAndStoresIt) {
    Switch s;
    s.drive.Ui.Answers = {true};
    EXPECT_TRUE(ChangeGPLInstallation(s.drive.Pv, s.drive.Ui, kValid));
    ASSERT_EQ(s.drive.Ui.Questions.size(), 1u);
    EXPECT_EQ(s.drive.Ui.Questions[0].Message,
              "Are you sure you want to change Movrand to use this new GPL Installation?");
    EXPECT_EQ(s.drive.Ui.Questions[0].MyWidth, 4100);
    EXPECT_EQ(s.drive.Ui.Questions[0].MyHeight, 2000);
    EXPECT_EQ(s.drive.Ui.Questions[0].YesTooltip, "");
    EXPECT_EQ(s.drive.Pv.GPLPath, "C:\\other\\gpl\\");
    EXPECT_EQ(s.drive.Pv.DriverIniFile, "C:\\other\\gpl\\driver.ini");
    EXPECT_EQ(s.drive.Pv.DriverWorkFile, s.drive.Pv.AppPath + "driver.zorvex");
    EXPECT_EQ(s.Stored(), "C:\\other\\gpl\\driver.ini");
    const std::string copy = s.drive.Read(s.drive.Pv.DriverWorkFile);
    EXPECT_NE(copy.find("[driver_1]\r\nfirst_name = Jock\r\n"), std::string::npos);
    EXPECT_TRUE(s.drive.Ui.Messages.empty());
    EXPECT_TRUE(s.drive.Ui.Traps.empty());

    // A drive root is tested like any folder.
    s.drive.AddDrive('D', s.drive.Root() / "d");
    demo::MakeGplInstallation(s.drive.Root() / "d");
    s.drive.Ui.Answers = {true};
    EXPECT_TRUE(ChangeGPLInstallation(s.drive.Pv, s.drive.Ui, "D:\\"));
    EXPECT_EQ(s.drive.Pv.GPLPath, "D:\\");
    EXPECT_EQ(s.drive.Pv.DriverIniFile, "D:\\driver.ini");
}

TEST(ChangeGPLInstallation, NoOrAnInvalidFolderChangesNothing) {
    Switch s;
    s.drive.Ui.Answers = {false};
    EXPECT_FALSE(ChangeGPLInstallation(s.drive.Pv, s.drive.Ui, kValid));
    s.ExpectUnchanged("No");

    fs::remove(s.drive.Native("C:\\other\\gpl\\gpl_ai.ini"));
    EXPECT_FALSE(ChangeGPLInstallation(s.drive.Pv, s.drive.Ui, kValid));
    EXPECT_EQ(s.drive.Ui.Questions.size(), 1u);  // only the first run asked
    ASSERT_EQ(s.drive.Ui.Messages.size(), 1u);
    EXPECT_EQ(s.drive.Ui.Messages[0].Text,
              "The new Folder is NOT a valid GPL Installation Folder - Please re-select.");
    s.ExpectUnchanged("invalid");

    // The settings store failing.
    Switch t;
    fs::remove_all(t.drive.Root() / "config");
    demo::WriteFile(t.drive.Root() / "config", "a file where the store's folder belongs");
    t.drive.Ui.Answers = {true};
    EXPECT_FALSE(ChangeGPLInstallation(t.drive.Pv, t.drive.Ui, kValid));
    EXPECT_EQ(t.drive.Ui.Traps.size(), 1u);
    EXPECT_EQ(t.drive.Pv.GPLPath, "C:\\sierra\\gpl\\");
    EXPECT_EQ(t.drive.Read(t.drive.Pv.DriverWorkFile), t.oldWorkingCopy);
}

TEST(ChangeGPLInstallation, TheInstallationInUseRebuildsTheWorkingCopy) {
    Switch s;
    s.drive.Write(s.drive.Pv.DriverWorkFile, "stale\r\n");
    s.drive.Pv.Files().SetReadOnly(s.drive.Pv.DriverWorkFile, true);
    s.drive.Ui.Answers = {true};
    EXPECT_TRUE(ChangeGPLInstallation(s.drive.Pv, s.drive.Ui, "C:\\sierra\\gpl"));
    EXPECT_EQ(s.drive.Read(s.drive.Pv.DriverWorkFile), s.oldWorkingCopy);
}

}  // namespace
}  // namespace movrand::test
