#include <gtest/gtest.h>

#include "TempDrive.h"

namespace movrand::test {
namespace {

TEST(FileSystemIsWithin, ComparesPlacesNotTexts) {
    TempDrive drive;
    drive.AddDrive('D', drive.DriveC() / "sierra", false);  // D: maps C:\sierra
    const platform::FileSystem fs = drive.Pv.Files();
    EXPECT_TRUE(fs.IsWithin("C:\\sierra\\gpl\\cars\\cars67", "C:\\sierra\\gpl\\cars\\cars67"));
    EXPECT_TRUE(
        fs.IsWithin("c:\\SIERRA\\GPL\\Cars\\CARS67\\ferrari", "C:\\sierra\\gpl\\cars\\cars67\\"));
    EXPECT_TRUE(fs.IsWithin("D:\\gpl\\cars\\cars67", "C:\\sierra\\gpl\\cars\\cars67"));
    EXPECT_TRUE(fs.IsWithin("C:\\sierra\\gpl\\tracks\\..\\cars", "C:\\sierra\\gpl"));
    EXPECT_TRUE(fs.IsWithin("C:\\new\\folder", "C:\\"));
    EXPECT_FALSE(fs.IsWithin("C:\\sierra\\gpl\\cars\\cars67_old", "C:\\sierra\\gpl\\cars\\cars67"));
    EXPECT_FALSE(fs.IsWithin("C:\\sierra\\gpl", "C:\\sierra\\gpl\\cars"));
}

}  // namespace
}  // namespace movrand::test
