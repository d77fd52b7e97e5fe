// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "DemoInstallation.h"
#include "TempDrive.h"
#include "common/InfoOptions.h"
#include "installation/Installations.h"
#include "mainwindow/LoadingValues.h"
#include "platform/SettingsKeys.h"
#include "session/Main.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

struct Start {
    TempDrive drive{false};
    int windows = 0;
    bool Run() {
        return Main(drive.Pv, drive.Ui, [this] { ++windows; });
    }
    std::string Stored(const std::string& section, const std::string& key) {
        return drive.Pv.Env.Settings.Get(platform::kSettingsApp, section, key);
    }
};

TEST(StartUp, FirstStartSearchesTheDrivesInOrderAndStoresWhatItFound) {
    Start s;
    s.drive.AddDrive('A', s.drive.Root() / "gone", false);  // an unready drive before C:
    s.drive.AddDrive('D', s.drive.Root() / "d");
    s.drive.AddDrive('E', s.drive.Root() / "e");
    demo::WriteFile(s.drive.Root() / "e" / "Sierra" / "GPL" / "Driver.ini", demo::SampleRoster());
    demo::WriteFile(s.drive.Root() / "d" / "games" / "sierra" / "gpl" / "driver.ini", "[x]\r\n");
    ASSERT_TRUE(s.Run());
    // The first pass wins over an earlier drive's games\sierra\gpl.
    EXPECT_EQ(s.drive.Pv.GPLPath, "E:\\Sierra\\GPL\\");
    EXPECT_EQ(s.Stored(platform::kMovrandSection, platform::kDriverIniFileKey),
              "E:\\Sierra\\GPL\\Driver.ini");
    EXPECT_NE(s.drive.Read(s.drive.Pv.DriverWorkFile).find("[driver_19]\r\n"), std::string::npos);
    EXPECT_EQ(s.drive.Ui.Transcript(), "");

    // A stored file that has gone is searched for anew, after a word; the second pass runs only
    // when the first found nothing.
    fs::remove(s.drive.Root() / "e" / "Sierra" / "GPL" / "Driver.ini");
    ASSERT_TRUE(s.Run());
    EXPECT_EQ(s.drive.Ui.Transcript(),
              "message: The driver.ini file last used, E:\\Sierra\\GPL\\Driver.ini, could not "
              "be found. Movrand will look for it again.\n");
    EXPECT_EQ(s.Stored(platform::kMovrandSection, platform::kDriverIniFileKey),
              "D:\\games\\sierra\\gpl\\driver.ini");
}

TEST(StartUp, NothingFoundAsksAndEndsWhenCancelledOrTakesThePickedFile) {
    Start s;
    s.drive.Pv.Env.Settings.Save(platform::kSettingsApp, platform::kZorvexSection,
                                 platform::kZorvexURLKey, "");
    EXPECT_FALSE(s.Run() || s.windows != 0);
    EXPECT_EQ(s.drive.Ui.Transcript(),
              "message: Unable to find driver.ini           Please locate file.\nmessage: The "
              "driver.ini file has not been located.  The program is terminating.\n");
    EXPECT_EQ(s.drive.Ui.FilePickerCalls,
              (std::vector<std::string>{"c:\\|driver.ini| Please select the driver.ini file..."}));
    EXPECT_EQ(s.Stored(platform::kMovrandSection, platform::kDriverIniFileKey), "");
    EXPECT_EQ(s.Stored(platform::kZorvexSection, platform::kZorvexURLKey), kDefaultWebsiteURL);

    demo::WriteFile(s.drive.DriveC() / "GPL" / "driver.ini", demo::SampleRoster());
    s.drive.Ui.Files.push_back("C:\\GPL\\driver.ini");
    ASSERT_TRUE(s.Run());
    EXPECT_EQ(s.drive.Pv.GPLPath, "C:\\GPL\\");
    EXPECT_EQ(s.Stored(platform::kMovrandSection, platform::kDriverIniFileKey),
              "C:\\GPL\\driver.ini");
    EXPECT_NE(s.drive.Read(s.drive.Pv.DriverWorkFile).find("[driver_1]\r\n"), std::string::npos);
}

// A first start in a Wine prefix that does not exist (no ~/.wine yet) has no C:: the picker
// opens on a drive it can show, and the prefix is not named as the installation's.
TEST(StartUp, WithoutThePrefixesDriveCThePickerOpensOnAReadyDrive) {
    Start s;
    s.drive.AddDrive('Z', s.drive.Root() / "z");
    s.drive.Pv.Env.DataHome = s.drive.Root() / "z" / "data";
    fs::rename(s.drive.DriveC(), s.drive.Root() / "c-gone");
    EXPECT_FALSE(s.Run());
    ASSERT_EQ(s.drive.Ui.FilePickerCalls.size(), 1u) << s.drive.Ui.Transcript();
    EXPECT_EQ(s.drive.Ui.FilePickerCalls[0].substr(0, 4), "Z:\\|") << s.drive.Ui.FilePickerCalls[0];
    EXPECT_EQ(mainwindow::GplPrefixCaption((s.drive.Root() / "c-gone").string()),
              "  in the Wine prefix " + (s.drive.Root() / "c-gone").string());
    EXPECT_EQ(mainwindow::GplPrefixCaption((s.drive.Root() / "no-prefix").string()), "");
}

// movrand-cli --gpl: the named installation is this run's alone. It is checked first, it never
// replaces the stored one, and its roster goes to a working copy of its own.
TEST(StartUp, AGivenInstallationIsCheckedAndNeverStored) {
    TempDrive drive;  // the stored installation: C:\sierra\gpl
    const std::string stored = "C:\\sierra\\gpl\\driver.ini";
    drive.Pv.Env.Settings.Save(platform::kSettingsApp, platform::kMovrandSection,
                               platform::kDriverIniFileKey, stored);
    demo::MakeGplInstallation(drive.DriveC() / "other");
    StartUpChoices choices;
    choices.GivenInstallation = "C:\\other";
    StartedRun run = StartUp(drive.Pv, drive.Ui, choices, {});
    ASSERT_EQ(run.How, StartedRun::End::Ready);
    EXPECT_TRUE(run.WorkingCopyMade);
    EXPECT_EQ(drive.Pv.GPLPath, "C:\\other\\");
    EXPECT_EQ(run.OwnWorkFile, drive.Pv.DriverWorkFile);
    EXPECT_EQ(drive.Pv.DriverWorkFile, drive.Pv.AppPath + "clidriver.zorvex");
    EXPECT_EQ(drive.Pv.Env.Settings.Get(platform::kSettingsApp, platform::kMovrandSection,
                                        platform::kDriverIniFileKey),
              stored);

    // The stored installation named: the program's own working copy.
    choices.GivenInstallation = "c:/SIERRA/gpl";
    run = StartUp(drive.Pv, drive.Ui, choices, {});
    EXPECT_EQ(run.OwnWorkFile, "");
    EXPECT_EQ(drive.Pv.DriverWorkFile, drive.Pv.AppPath + "driver.zorvex");

    choices.GivenInstallation = "C:\\";
    run = StartUp(drive.Pv, drive.Ui, choices, {});
    EXPECT_EQ(run.How, StartedRun::End::NotAnInstallation);
    EXPECT_FALSE(run.Problem.empty());
    EXPECT_EQ(drive.Ui.Transcript(), "");
}

// Another run on the installation (another user, another data folder) ends the desktop program's
// start with exit status 3, as its manual says; a start the user cancelled ends with 0.
TEST(StartUp, AnInstallationHeldByAnotherRunEndsTheDesktopProgramWithStatus3) {
    Start held, cancelled;
    demo::MakeGplInstallation(held.drive.DriveC() / "sierra" / "gpl");
    ProgramValues other = held.drive.Pv;
    ASSERT_TRUE(LockInstallation(other, held.drive.Ui, "C:\\sierra\\gpl\\"));
    held.drive.Pv.Env.LockWait = std::chrono::milliseconds(0);
    EXPECT_FALSE(held.Run() || cancelled.Run());
    EXPECT_EQ(EndedStartStatus(held.drive.Pv), 3);
    EXPECT_EQ(EndedStartStatus(cancelled.drive.Pv), 0);
}

// The desktop program answers -h, --help and --version, and refuses anything else before it starts.
TEST(StartUp, DesktopArgumentsOtherThanHelpAndVersionAreRefusedWithTheUsage) {
    std::ostringstream out, err;
    EXPECT_EQ(AnswerDesktopArguments({}, out, err), std::nullopt);
    EXPECT_EQ(AnswerDesktopArguments({"-h"}, out, err), 0);
    EXPECT_EQ(out.str(), kDesktopUsage);
    for (const auto& args : std::vector<std::vector<std::string>>{{"--foo"}, {"-platform", "xcb"}})
        EXPECT_EQ(AnswerDesktopArguments(args, out, err), 2);
    const std::string usage = kDesktopUsage;
    EXPECT_EQ(err.str(), "movrand: unknown argument --foo\n\n" + usage +
                             "movrand: unknown argument -platform\n\n" + usage);
}

}  // namespace
}  // namespace movrand::test
