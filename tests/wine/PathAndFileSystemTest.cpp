// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "DemoInstallation.h"
#include "TempDrive.h"
#include "platform/RuntimeError.h"
#include "wine/LinkTarget.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

const std::string kFerrari = "C:\\sierra\\gpl\\cars\\cars67\\ferrari";

// A name gone and back in another case is found; ".." stays on the drive; no case twins; a
// move never overwrites a file of that name.
TEST(WindowsPaths, ResolveWithoutRegardToCaseAndFollowChangesOnDisk) {
    TempDrive drive;
    platform::FileSystem fs = drive.Pv.Files();
    const fs::path team = drive.Native(kFerrari);
    demo::WriteFile(team / "NEW.3DO", "one");
    EXPECT_EQ(drive.Native(kFerrari + "\\new.3do"), team / "NEW.3DO");
    fs::remove(team / "NEW.3DO");
    demo::WriteFile(team / "New.3do", "two");
    EXPECT_EQ(drive.Read(kFerrari + "\\NEW.3do"), "two");
    fs::remove(team / "New.3do");
    EXPECT_FALSE(fs.FileExists(kFerrari + "\\new.3do"));
    EXPECT_EQ(fs.Native("C:\\..\\..\\sierra"), drive.DriveC() / "sierra");
    fs.CopyFile("C:\\sierra\\gpl\\gpl.exe", "C:\\SIERRA\\GPL\\CARS\\cars67\\lotus\\LOTUS.DAT");
    EXPECT_EQ(fs.FileNames("C:\\sierra\\gpl\\cars\\cars67\\LOTUS").size(), 6u);
    drive.Write("C:\\src\\FER9.3DO", "other");
    EXPECT_THROW(fs.MoveFilesInto("C:\\src", {"FER9.3DO"}, kFerrari), platform::RuntimeError);
    EXPECT_EQ(drive.Read(kFerrari + "\\fer9.3do"), "model of car 9\r\n");
}

// In a folder of many names, a name written in another case finds its stored name, however it
// sorts among its neighbours; of names that differ only in case the first in byte order is
// taken, and a name that only starts like stored ones is not found.
TEST(WindowsPaths, ResolveAmongManyNamesAndCaseTwins) {
    TempDrive drive;
    const fs::path team = drive.Native(kFerrari);
    for (int i = 0; i < 300; ++i) demo::WriteFile(team / ("Part" + std::to_string(i) + ".mip"), "");
    for (const char* twin : {"aBC.dat", "abc.dat", "Abc.dat"}) demo::WriteFile(team / twin, twin);
    demo::WriteFile(team / "abc.datx", "longer");
    EXPECT_EQ(drive.Native(kFerrari + "\\ABC.DAT"), team / "Abc.dat");
    EXPECT_EQ(drive.Native(kFerrari + "\\PART0.MIP"), team / "Part0.mip");
    EXPECT_EQ(drive.Native(kFerrari + "\\part299.MIP"), team / "Part299.mip");
    EXPECT_EQ(drive.Native(kFerrari + "\\ABC.DA"), team / "ABC.DA");
    EXPECT_EQ(drive.Native(kFerrari + "\\PART3000.MIP"), team / "PART3000.MIP");
    EXPECT_EQ(drive.Native(kFerrari + "\\ZZZ"), team / "ZZZ");
}

TEST(FileSystemService, DeletingAndCopyingNeverFollowLinksOutOfTheFolder) {
    TempDrive drive;
    demo::WriteFile(drive.Root() / "outside" / "precious.3do", "keep me");
    const fs::path team = drive.Native(kFerrari);
    fs::create_directory_symlink(drive.Root() / "outside", team / "linked");
    fs::create_symlink(drive.Root() / "outside" / "precious.3do", team / "link.3do");
    fs::create_symlink(team / "fer9.3do", team / "inside.3do");
    platform::FileSystem fs = drive.Pv.Files();
    EXPECT_EQ(platform::LinkTarget(fs, kFerrari + "\\Inside.3do"), kFerrari + "\\fer9.3do");
    EXPECT_EQ(platform::LinkTarget(fs, kFerrari + "\\fer9.3do"), kFerrari + "\\fer9.3do");
    fs.DeleteFile(kFerrari + "\\link.3do");
    try {
        fs.CopyFolder(kFerrari, "C:\\copy");
        ADD_FAILURE() << "a folder holding links was copied";
    } catch (const platform::RuntimeError& e) {
        EXPECT_NE(e.Description().find(": it is a link, not a regular file"), std::string::npos);
    }
    fs.DeleteFolder("C:\\copy", true);
    fs.DeleteFolder(kFerrari, true);
    EXPECT_EQ(fs::file_size(drive.Root() / "outside" / "precious.3do"), 7u);  // "keep me"
    EXPECT_FALSE(fs::exists(team));
}

}  // namespace
}  // namespace movrand::test
