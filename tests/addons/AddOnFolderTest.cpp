#include <gtest/gtest.h>

#include "AddOnFixture.h"
#include "addons/AddOnFolder.h"
#include "addons/BackupFolder.h"

namespace movrand::test {
namespace {

TEST(AddOnFolder, ListsEntriesUpToTheFirstMissingNumber) {
    AddOnDrive drive;
    drive.Write(
        "C:\\addons\\gap\\zorvexcar.zorvex",
        "[header]\r\nteam = Ferrari\r\n[files]\r\nfile1desc = Red Wheels\r\nREDWHEELS = Accessory\r\n"
        "file3desc = Third\r\nthird = car\r\n");
    EXPECT_TRUE(IsAddOnFolder(drive.Pv, "C:\\addons\\gap"));
    EXPECT_FALSE(IsAddOnFolder(drive.Pv, "C:\\addons"));
    EXPECT_EQ(AddOnTeam(drive.Pv, drive.Ui, "C:\\addons\\gap"), "ferrari");
    const std::vector<AddOnEntry> entries = ListAddOnEntries(drive.Pv, drive.Ui, "C:\\addons\\gap");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Number, 1);
    EXPECT_EQ(entries[0].Description, "Red Wheels");
    EXPECT_EQ(entries[0].Kind, "accessory");
    EXPECT_TRUE(entries[0].IsAccessory());
    EXPECT_EQ(KindKey("Red Wheels"), "redwheels");
    EXPECT_EQ(EntryNumberOf(drive.Pv, drive.Ui, "C:\\addons\\gap", "RED WHEELS"), 1);
    EXPECT_EQ(EntryNumberOf(drive.Pv, drive.Ui, "C:\\addons\\gap", "Third"), 0);
    // Entry 1 is no car: accessories of this folder have no standard car.
    EXPECT_EQ(StandardFolderOf(drive.Pv, drive.Ui, "C:\\addons\\gap"), "");
}

// Stamps have no separators and no leading zeros, so stamps of one second or of equal text
// are numbered.
TEST(BackupFolder, StampsOfOneSecondOrEqualTextAreNumbered) {
    EXPECT_EQ(BackupStamp("brm", {2027, 1, 31, 23, 59, 0}), "brm311202723590");
    AddOnDrive drive;
    platform::FileSystem fs = drive.Pv.Files();
    EXPECT_EQ(CreateBackupFolder(drive.Pv, fs, "cars\\replacedcars\\", "ferrari"),
              "C:\\sierra\\gpl\\cars\\replacedcars\\ferrari5122026749\\");
    EXPECT_EQ(CreateBackupFolder(drive.Pv, fs, "cars\\replacedcars\\", "ferrari"),
              "C:\\sierra\\gpl\\cars\\replacedcars\\ferrari51220267491\\");
    EXPECT_EQ(CreateBackupFolder(drive.Pv, fs, "cars\\replacedcars\\", "ferrari"),
              "C:\\sierra\\gpl\\cars\\replacedcars\\ferrari51220267492\\");
    // 1 November and 11 January give the same text.
    drive.Clock->Time = {2026, 11, 1, 8, 0, 0};
    const std::string november =
        CreateBackupFolder(drive.Pv, fs, "cars\\replacedaccessories\\", "lotus");
    drive.Clock->Time = {2026, 1, 11, 8, 0, 0};
    const std::string january =
        CreateBackupFolder(drive.Pv, fs, "cars\\replacedaccessories\\", "lotus");
    EXPECT_EQ(november, "C:\\sierra\\gpl\\cars\\replacedaccessories\\lotus1112026800\\");
    EXPECT_EQ(january, "C:\\sierra\\gpl\\cars\\replacedaccessories\\lotus11120268001\\");
    EXPECT_TRUE(fs.FolderExists(january));
}

}  // namespace
}  // namespace movrand::test
