#include <gtest/gtest.h>

#include "DemoInstallation.h"
#include "TempDrive.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

namespace movrand::test {
namespace {

using platform::RuntimeError;

TEST(WindowsPaths, ResolveWithoutRegardToCase) {
    TempDrive drive;
    const platform::FileSystem fs = drive.Pv.Files();
    // Stored as cars\cars67\LOTUS\lotus.dat.
    EXPECT_TRUE(fs.FileExists("c:\\SIERRA\\Gpl\\cars\\CARS67\\lotus\\LOTUS.DAT"));
    EXPECT_TRUE(fs.FileExists("C:/sierra/gpl/cars/cars67/lotus/lotus.dat"));
    EXPECT_EQ(fs.ReportedPath("c:\\SIERRA\\gpl\\cars\\cars67\\lotus\\LOTUS.DAT"),
              "C:\\sierra\\gpl\\cars\\cars67\\LOTUS\\lotus.dat");
    EXPECT_TRUE(fs.FolderExists("C:\\sierra\\gpl\\cars\\cars67\\Murasama"));
    EXPECT_FALSE(fs.FileExists("C:\\sierra\\gpl\\cars\\cars67\\lotus\\missing.dat"));
    // ".." never climbs above the drive.
    EXPECT_EQ(fs.Native("C:\\..\\..\\sierra"), drive.DriveC() / "sierra");
}

TEST(WindowsPaths, NewFilesUnderAFolderOfAnotherCaseMakeNoDuplicates) {
    TempDrive drive;
    platform::FileSystem fs = drive.Pv.Files();
    fs.CopyFile("C:\\sierra\\gpl\\gpl_ai.ini", "C:\\SIERRA\\GPL\\CARS\\cars67\\lotus\\New.txt");
    EXPECT_TRUE(std::filesystem::exists(drive.DriveC() / "sierra/gpl/cars/cars67/LOTUS/New.txt"));
    EXPECT_FALSE(std::filesystem::exists(drive.DriveC() / "SIERRA"));
    // Overwriting a file named in another case replaces it rather than adding a second one.
    fs.CopyFile("C:\\sierra\\gpl\\gpl.exe", "C:\\sierra\\gpl\\cars\\cars67\\lotus\\NEW.TXT");
    EXPECT_EQ(fs.FileNames("C:\\sierra\\gpl\\cars\\cars67\\lotus").size(), 7u);
    EXPECT_EQ(drive.Read("C:\\sierra\\gpl\\cars\\cars67\\lotus\\new.txt"),
              drive.Read("C:\\sierra\\gpl\\gpl.exe"));
}

TEST(WindowsPaths, RepeatedResolutionFollowsChangesOnDisk) {
    TempDrive drive;
    namespace fs = std::filesystem;
    const fs::path team = drive.Native("C:\\sierra\\gpl\\cars\\cars67\\ferrari");
    demo::WriteFile(team / "NEW.3DO", "one");
    EXPECT_EQ(drive.Native("C:\\sierra\\gpl\\cars\\cars67\\ferrari\\new.3do"), team / "NEW.3DO");
    // The same name again in another case, after the first has gone.
    fs::remove(team / "NEW.3DO");
    demo::WriteFile(team / "New.3do", "two");
    EXPECT_EQ(drive.Native("C:\\sierra\\gpl\\cars\\cars67\\ferrari\\new.3do"), team / "New.3do");
    EXPECT_EQ(drive.Read("C:\\sierra\\gpl\\cars\\cars67\\ferrari\\NEW.3do"), "two");
    // A file added after the folder was searched is found; one removed is no longer.
    EXPECT_EQ(drive.Native("C:\\sierra\\gpl\\cars\\cars67\\ferrari\\later.MIP"),
              team / "later.MIP");
    demo::WriteFile(team / "LATER.mip", "three");
    EXPECT_EQ(drive.Native("C:\\sierra\\gpl\\cars\\cars67\\ferrari\\later.MIP"),
              team / "LATER.mip");
    fs::remove(team / "LATER.mip");
    EXPECT_FALSE(drive.Pv.Files().FileExists("C:\\sierra\\gpl\\cars\\cars67\\ferrari\\later.mip"));
}

TEST(WindowsPaths, ToWindowsUsesTheDriveThatMapsThePath) {
    TempDrive drive;
    drive.AddDrive('D', drive.Root() / "d");
    const platform::FileSystem fs = drive.Pv.Files();
    EXPECT_EQ(fs.WindowsOf(drive.DriveC() / "sierra" / "gpl"), "C:\\sierra\\gpl");
    EXPECT_EQ(fs.WindowsOf(drive.Root() / "d"), "D:\\");
    EXPECT_THROW(fs.Native("Q:\\x"), RuntimeError);
}

TEST(FileSystemService, ReportsThePlatformsErrors) {
    TempDrive drive;
    platform::FileSystem fs = drive.Pv.Files();
    auto number = [](auto&& f) {
        try {
            f();
        } catch (const RuntimeError& e) {
            return e.Number();
        }
        return 0;
    };
    EXPECT_EQ(number([&] { fs.CopyFile("C:\\nothing.txt", "C:\\x.txt"); }), 53);
    EXPECT_EQ(number([&] { fs.CopyFile("C:\\sierra\\gpl\\gpl.exe", "C:\\no\\where\\x.txt"); }), 76);
    EXPECT_EQ(number([&] { fs.CreateFolder("C:\\sierra"); }), 58);
    EXPECT_EQ(
        number([&] { fs.MoveFile("C:\\sierra\\gpl\\gpl.exe", "C:\\sierra\\gpl\\gpl_ai.ini"); }),
        58);
    EXPECT_EQ(number([&] { fs.DeleteFolder("C:\\gone"); }), 76);
    fs.SetReadOnly("C:\\sierra\\gpl\\gpl.exe", true);
    EXPECT_EQ(number([&] { fs.DeleteFile("C:\\sierra\\gpl\\gpl.exe"); }), 70);
    EXPECT_EQ(number([&] { fs.DeleteFolder("C:\\sierra"); }), 70);
    EXPECT_TRUE(drive.Exists("C:\\sierra\\gpl\\gpl.exe"));
    fs.DeleteFile("C:\\sierra\\gpl\\gpl.exe", true);
    EXPECT_FALSE(drive.Exists("C:\\sierra\\gpl\\gpl.exe"));
}

TEST(FileSystemService, CopiesAndMovesFoldersWhole) {
    TempDrive drive;
    platform::FileSystem fs = drive.Pv.Files();
    fs.CopyFolder("C:\\sierra\\gpl\\cars\\cars67", "C:\\backup");
    EXPECT_EQ(drive.Read("C:\\backup\\ferrari\\fer9.3do"), "model of car 9\r\n");
    EXPECT_EQ(fs.FolderNames("C:\\backup").size(), 7u);
    fs.MoveFolder("C:\\backup", "C:\\moved");
    EXPECT_FALSE(fs.FolderExists("C:\\backup"));
    EXPECT_TRUE(fs.FileExists("C:\\moved\\MURASAMA\\mur15.mip"));
    // Listing order is by name without regard to case.
    EXPECT_EQ(fs.FolderNames("C:\\moved"),
              (std::vector<std::string>{"brabham", "brm", "coventry", "eagle", "ferrari", "LOTUS",
                                        "MURASAMA"}));
}

TEST(FileSystemService, FaultPlanFailsTheChosenMutation) {
    TempDrive drive;
    drive.Pv.Env.Faults = std::make_shared<platform::FaultPlan>();
    drive.Pv.Env.Faults->FailAt(2, platform::kDiskFull);
    platform::FileSystem fs = drive.Pv.Files();
    fs.CopyFile("C:\\sierra\\gpl\\gpl.exe", "C:\\one.exe");
    EXPECT_THROW(fs.CopyFile("C:\\sierra\\gpl\\gpl.exe", "C:\\two.exe"), RuntimeError);
    EXPECT_FALSE(drive.Exists("C:\\two.exe"));
    fs.CopyFile("C:\\sierra\\gpl\\gpl.exe", "C:\\three.exe");
    EXPECT_EQ(drive.Pv.Env.Faults->Count(), 3);
}

TEST(TextConversions, AnsiRoundTripsEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(platform::AnsiFromUtf8(platform::Utf8FromAnsi(all)), all);
    EXPECT_EQ(platform::Utf8FromAnsi("\x80"), "\xE2\x82\xAC");
    EXPECT_TRUE(platform::MatchesPattern("Driver.INI", "driver.ini"));
    EXPECT_TRUE(platform::MatchesPattern("fer12.3do", "*.3D?"));
    EXPECT_FALSE(platform::MatchesPattern("fer12.mip", "*.3do"));
}

}  // namespace
}  // namespace movrand::test
