// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "FaultSweep.h"
#include "FileSnapshot.h"
#include "GameGuard.h"
#include "Samples.h"
#include "TempDrive.h"
#include "installation/GplInstallation.h"
#include "platform/SettingsKeys.h"
#include "roster/IniFunctions.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

// The switch to another installation, failed at each of its file-system steps in turn: the
// program stays on one installation whose roster its working copy holds (old values, old copy,
// old stored path, or all three new), no game file changes or goes, nothing is left in the
// program's folder, and the switch run again completes.
TEST(GplSwitchFaults, TheProgramStaysOnOneInstallationAndTheSwitchCompletesWhenRunAgain) {
    const char* other = "C:\\other\\gpl";
    std::optional<GameGuard> guard;
    std::string oldCopy, newCopy;
    FaultSweep sweep;
    sweep.Prepare = [&](TempDrive& drive) {
        MakeOtherInstallation(drive.DriveC() / "other" / "gpl");
        drive.Pv.Env.Settings.Save(platform::kSettingsApp, platform::kMovrandSection,
                                   platform::kDriverIniFileKey, drive.Pv.DriverIniFile);
        oldCopy = drive.Read(drive.Pv.DriverWorkFile);
        StripIniHeaders(drive.Pv, drive.Ui, "C:\\other\\gpl\\driver.ini", "C:\\new.zorvex");
        newCopy = drive.Read("C:\\new.zorvex");
        fs::remove(drive.Native("C:\\new.zorvex"));
        drive.Ui.Answers = {true};
        guard = GameGuard::Take({drive.DriveC()}, drive.Native("C:\\sierra\\gpl"));
    };
    sweep.Operation = [&](TempDrive& drive) { ChangeGPLInstallation(drive.Pv, drive.Ui, other); };
    const auto expectOn = [&](TempDrive& drive, const std::string& gpl, const std::string& copy) {
        EXPECT_EQ(drive.Pv.GPLPath, gpl);
        EXPECT_EQ(drive.Pv.DriverIniFile, gpl + "driver.ini");
        EXPECT_EQ(drive.Pv.Env.Settings.Get(platform::kSettingsApp, platform::kMovrandSection,
                                            platform::kDriverIniFileKey),
                  gpl + "driver.ini");
        EXPECT_EQ(drive.Read(drive.Pv.DriverWorkFile), copy);
        // Only the working copy may change, and nothing else is left in the program's folder.
        EXPECT_EQ(guard->Lost({drive.Native(drive.Pv.DriverWorkFile)}), std::vector<std::string>{});
        EXPECT_EQ(TreeOf(drive.Native(drive.Pv.AppPath)).size(), 1u);
    };
    sweep.Check = [&](TempDrive& drive, int) {
        ASSERT_EQ(drive.Ui.Traps.size(), 1u) << drive.Ui.Transcript();
        EXPECT_EQ(drive.Ui.Traps[0].Text, "61\r\nDisk full");
        expectOn(drive, "C:\\sierra\\gpl\\", oldCopy);
        drive.Ui.Answers = {true};
        EXPECT_TRUE(ChangeGPLInstallation(drive.Pv, drive.Ui, other));
        EXPECT_EQ(drive.Ui.Traps.size(), 1u) << drive.Ui.Transcript();
        expectOn(drive, "C:\\other\\gpl\\", newCopy);
    };
    // The new working copy made, written and put in place.
    EXPECT_GE(sweep.Run(), 3);
}

}  // namespace
}  // namespace movrand::test
