#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "DemoInstallation.h"
#include "TempDrive.h"
#include "platform/FaultPlan.h"
#include "platform/LinkTarget.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using platform::RuntimeError;

const std::string kFerrari = "C:\\sierra\\gpl\\cars\\cars67\\ferrari";

int ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.Number();
    }
    return 0;
}

TEST(WindowsPaths, ResolveWithoutRegardToCaseAndFollowChangesOnDisk) {
    TempDrive drive;
    platform::FileSystem fs = drive.Pv.Files();
    EXPECT_EQ(fs.ReportedPath("c:/SIERRA\\gpl\\cars\\cars67\\lotus\\LOTUS.DAT"),
              "C:\\sierra\\gpl\\cars\\cars67\\LOTUS\\lotus.dat");
    EXPECT_EQ(fs.Native("C:\\..\\..\\sierra"), drive.DriveC() / "sierra");  // never above C:
    EXPECT_FALSE(fs.FileExists("C:\\..\\outside.txt"));
    // A new file under a folder of another case, and a copy over a name of another case.
    fs.CopyFile("C:\\sierra\\gpl\\gpl_ai.ini", "C:\\SIERRA\\GPL\\CARS\\cars67\\lotus\\New.txt");
    fs.CopyFile("C:\\sierra\\gpl\\gpl.exe", "C:\\sierra\\gpl\\cars\\cars67\\lotus\\NEW.TXT");
    EXPECT_EQ(fs.FileNames("C:\\sierra\\gpl\\cars\\cars67\\LOTUS").size(), 7u);
    EXPECT_TRUE(fs::exists(drive.DriveC() / "sierra/gpl/cars/cars67/LOTUS/New.txt"));
    EXPECT_FALSE(fs::exists(drive.DriveC() / "SIERRA"));
    // What was resolved before follows the disk: a name gone and back in another case.
    const fs::path team = drive.Native(kFerrari);
    demo::WriteFile(team / "NEW.3DO", "one");
    EXPECT_EQ(drive.Native(kFerrari + "\\new.3do"), team / "NEW.3DO");
    fs::remove(team / "NEW.3DO");
    demo::WriteFile(team / "New.3do", "two");
    EXPECT_EQ(drive.Read(kFerrari + "\\NEW.3do"), "two");
    fs::remove(team / "New.3do");
    EXPECT_FALSE(fs.FileExists(kFerrari + "\\new.3do"));
    // Places, not texts, are compared.
    EXPECT_EQ(fs.WindowsOf(drive.DriveC() / "sierra" / "gpl"), "C:\\sierra\\gpl");
    drive.AddDrive('D', drive.DriveC() / "sierra", false);
    EXPECT_TRUE(fs.IsWithin("d:\\GPL\\cars\\CARS67\\ferrari", "C:\\sierra\\gpl\\cars\\cars67\\"));
    EXPECT_TRUE(fs.IsWithin("C:\\sierra\\gpl\\tracks\\..\\cars", "C:\\sierra\\gpl"));
    EXPECT_FALSE(fs.IsWithin("C:\\sierra\\gpl\\cars\\cars67_old", "C:\\sierra\\gpl\\cars\\cars67"));
    EXPECT_EQ(ErrorOf([&] { fs.Native("Q:\\x"); }), 71);
}

TEST(FileSystemService, ReportsThePlatformsErrorsAndHonoursReadOnly) {
    TempDrive drive;
    platform::FileSystem fs = drive.Pv.Files();
    drive.Write("C:\\src\\a.txt", "a");
    const std::pair<std::function<void()>, int> cases[] = {
        {[&] { fs.CopyFile("C:\\nothing.txt", "C:\\x.txt"); }, 53},
        {[&] { fs.CopyFile("C:\\sierra\\gpl\\gpl.exe", "C:\\no\\where\\x.txt"); }, 76},
        {[&] { fs.CreateFolder("C:\\sierra"); }, 58},
        {[&] { fs.MoveFile("C:\\sierra\\gpl\\gpl.exe", "C:\\sierra\\gpl\\gpl_ai.ini"); }, 58},
        {[&] { fs.DeleteFolder("C:\\gone"); }, 76},
        {[&] { fs.CopyFilesInto("C:\\src", {"missing.txt"}, "C:\\sierra"); }, 53},
        {[&] { fs.CopyFilesInto("C:\\src", {"a.txt"}, "C:\\sierra", false); }, 0},
        {[&] { fs.CopyFilesInto("C:\\src", {"A.TXT"}, "C:\\sierra", false); }, 58},
        {[&] { fs.MoveFilesInto("C:\\src", {"a.txt"}, "C:\\sierra"); }, 58},
        {[&] { fs.SetReadOnly("C:\\sierra\\gpl\\gpl.exe", true); }, 0},
        {[&] { fs.DeleteFile("C:\\sierra\\gpl\\gpl.exe"); }, 70},
        {[&] { fs.DeleteFolder("C:\\sierra"); }, 70},
        {[&] { fs.DeleteFile("C:\\sierra\\gpl\\gpl.exe", true); }, 0},
    };
    int i = 0;
    for (const auto& [action, number] : cases) EXPECT_EQ(ErrorOf(action), number) << i++;
    EXPECT_FALSE(drive.Exists("C:\\sierra\\gpl\\gpl.exe"));
    EXPECT_EQ(drive.Read("C:\\sierra\\a.txt"), "a");

    // The fault plan fails the chosen change, and the changes after it go on.
    drive.Pv.Env.Faults = std::make_shared<platform::FaultPlan>();
    drive.Pv.Env.Faults->FailAt(3, platform::kDiskFull);
    platform::FileSystem faulty = drive.Pv.Files();
    drive.Write("C:\\src\\b.txt", "b");
    EXPECT_EQ(ErrorOf([&] {
                  faulty.MoveFilesInto("C:\\src", {"b.txt", "a.txt"}, "C:\\dst0");
              }),
              76);
    faulty.CreateFolder("C:\\dst");
    EXPECT_EQ(ErrorOf([&] { faulty.MoveFilesInto("C:\\src", {"b.txt", "a.txt"}, "C:\\dst"); }), 61);
    EXPECT_EQ(faulty.FileNames("C:\\src"), std::vector<std::string>{"a.txt"});
    EXPECT_EQ(drive.Read("C:\\dst\\b.txt"), "b");
}

TEST(FileSystemService, DeletingAndCopyingNeverFollowLinksOutOfTheFolder) {
    TempDrive drive;
    demo::WriteFile(drive.Root() / "outside" / "precious.3do", "keep me");
    const fs::path team = drive.Native(kFerrari);
    fs::create_directory_symlink(drive.Root() / "outside", team / "linked");
    fs::create_symlink(drive.Root() / "outside" / "precious.3do", team / "link.3do");
    platform::FileSystem fs = drive.Pv.Files();
    fs::create_symlink(team / "fer9.3do", team / "inside.3do");
    EXPECT_EQ(platform::LinkTarget(fs, kFerrari + "\\Inside.3do"), kFerrari + "\\fer9.3do");
    EXPECT_EQ(platform::LinkTarget(fs, kFerrari + "\\fer9.3do"), kFerrari + "\\fer9.3do");
    fs.DeleteFile(kFerrari + "\\link.3do");
    fs.CopyFolder(kFerrari, "C:\\copy");
    fs.DeleteFolder("C:\\copy", true);
    fs.DeleteFolder(kFerrari, true);
    std::ifstream kept(drive.Root() / "outside" / "precious.3do");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "keep me");
    EXPECT_FALSE(fs::exists(team));
}

TEST(TextConversions, AnsiRoundTripsEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(platform::AnsiFromUtf8(platform::Utf8FromAnsi(all)), all);
    EXPECT_EQ(platform::Utf8FromAnsi("\x80"), "\xE2\x82\xAC");
    EXPECT_TRUE(platform::MatchesPattern("fer12.3do", "*.3D?"));
    EXPECT_FALSE(platform::MatchesPattern("fer12.mip", "*.3do"));
}

}  // namespace
}  // namespace movrand::test
