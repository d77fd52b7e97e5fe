// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "Samples.h"
#include "TempDrive.h"
#include "installation/GplInstallation.h"
#include "platform/SettingsKeys.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

const char* kValid = "C:\\other\\gpl";

struct Switch {
    TempDrive drive;
    Switch() { MakeOtherInstallation(drive.DriveC() / "other" / "gpl"); }
    InstallationCheck Check(const std::string& folder) {
        return CheckGPLInstallation(drive.Pv.Files(), folder);
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
}

// Yes switches every value and the store; a store that cannot be written
// changes nothing; the installation in use rebuilds a stale, read-only working copy.
TEST(ChangeGPLInstallation, SwitchesAllOrNothing) {
    Switch s;
    const std::string working = s.drive.Read(s.drive.Pv.DriverWorkFile);
    const fs::path config = s.drive.Root() / "config";
    fs::remove_all(config);
    demo::WriteFile(config, "a file where the store's folder belongs");
    s.drive.Ui.Answers = {true, true, true, true};
    EXPECT_FALSE(ChangeGPLInstallation(s.drive.Pv, s.drive.Ui, kValid));
    EXPECT_EQ(s.drive.Pv.GPLPath, "C:\\sierra\\gpl\\");
    EXPECT_EQ(s.drive.Read(s.drive.Pv.DriverWorkFile), working);
    fs::remove(config);

    EXPECT_TRUE(ChangeGPLInstallation(s.drive.Pv, s.drive.Ui, kValid));
    EXPECT_EQ(s.drive.Ui.Questions.at(1).MyWidth * 10000 + s.drive.Ui.Questions[1].MyHeight,
              41002000);
    EXPECT_EQ(s.drive.Pv.DriverIniFile, "C:\\other\\gpl\\driver.ini");
    EXPECT_EQ(s.drive.Pv.Env.Settings.Get(platform::kSettingsApp, platform::kMovrandSection,
                                          platform::kDriverIniFileKey),
              "C:\\other\\gpl\\driver.ini");
    EXPECT_NE(s.drive.Read(s.drive.Pv.DriverWorkFile).find("[driver_1]\r\nfirst_name = Jock\r\n"),
              std::string::npos);

    s.drive.Write(s.drive.Pv.DriverWorkFile, "stale\r\n");
    s.drive.Pv.Files().SetReadOnly(s.drive.Pv.DriverWorkFile, true);
    EXPECT_TRUE(ChangeGPLInstallation(s.drive.Pv, s.drive.Ui, "C:\\sierra\\gpl"));
    EXPECT_EQ(s.drive.Read(s.drive.Pv.DriverWorkFile), working);
    EXPECT_EQ(s.drive.Ui.Traps.size(), 1u);

    // A run whose prefix does not exist (yet) stores no prefix with the path it reaches.
    s.drive.Pv.Env.WinePrefix = s.drive.Root() / "no-prefix";
    EXPECT_TRUE(ChangeGPLInstallation(s.drive.Pv, s.drive.Ui, kValid));
    EXPECT_EQ(s.drive.Pv.Env.Settings.Get(platform::kSettingsApp, platform::kMovrandSection,
                                          platform::kWinePrefixKey),
              "");
}

}  // namespace
}  // namespace movrand::test
