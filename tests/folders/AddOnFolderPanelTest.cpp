// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "DemoAddOns.h"
#include "TempDrive.h"
#include "folders/AddOnFolderPanel.h"

namespace movrand::test {
namespace {

std::string Marker(TempDrive& drive, const std::string& name, const std::string& text) {
    drive.Write("C:\\addons\\" + name + "\\zorvexcar.zorvex", text);
    return "C:\\addons\\" + name;
}

TEST(AddOnFolderPanel, AHondaMarkerShowsTeamSixAndSelectsPositionFiveInRemoveMode) {
    TempDrive drive;
    demo::MakeAddOnFolder(drive.Native("C:\\addons") / "rcx",
                          {"HoNDA", {{"RA300", "car", {{"p.mip", "p"}}, "RA.\r\n", false, false}}});
    const AddOnFolderView view = ShowAddOnFolder(drive.Pv, drive.Ui, "C:\\addons\\rcx", false);
    EXPECT_EQ(view.TeamPictureId, 111);
    EXPECT_EQ(view.TeamTooltip, " Honda ");
    EXPECT_EQ(view.Entries, std::vector<std::string>{"RA300"});
    const RemoveModeView remove = EnterRemoveMode(drive.Pv, drive.Ui, "C:\\addons\\rcx");
    EXPECT_EQ(remove.TeamPosition, 5);
    EXPECT_NE(remove.Installed.TeamFolder.find("murasama"), std::string::npos);
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
}

// Entries run until the first missing number, duplicates kept; the first is previewed at once.
TEST(AddOnFolderPanel, EntriesRunUntilTheFirstMissingNumber) {
    TempDrive drive;
    const std::string folder = Marker(
        drive, "gaps",
        "[header]\r\nteam = ferrari\r\n\r\n[files]\r\nfile1desc = Ferrari 312\r\nFerrari312 = car\r\n"
        "1 = zorvexferrari1\r\nfile2desc = Ferrari 312\r\nfile4desc = Blue Nose\r\n");
    drive.Write("C:\\addons\\gaps\\zorvexferrari1.zorvex", "First line.\r\nSecond line.\r\n");
    const AddOnFolderView view = ShowAddOnFolder(drive.Pv, drive.Ui, folder, false);
    EXPECT_EQ(view.Entries, (std::vector<std::string>{"Ferrari 312", "Ferrari 312"}));
    EXPECT_EQ(view.SelectedEntry, 0);
    EXPECT_EQ(view.Preview.Description, "First line.\r\nSecond line.");
}

// No marker: an empty panel and Brabham in Remove mode; an unknown team: the blank panel.
TEST(AddOnFolderPanel, NoMarkerOrAnUnknownTeam) {
    TempDrive drive;
    std::filesystem::create_directories(drive.Native("C:\\addons\\plain"));
    EXPECT_FALSE(ShowAddOnFolder(drive.Pv, drive.Ui, "C:\\addons\\plain", false).IsAddOnFolder);
    EXPECT_EQ(RemoveModeTeamPosition(drive.Pv, drive.Ui, "C:\\addons\\plain"), 0);
    const std::string williams = Marker(drive, "williams", "[header]\r\nteam = Williams\r\n");
    const AddOnFolderView view = ShowAddOnFolder(drive.Pv, drive.Ui, williams, false);
    EXPECT_EQ(view.TeamPictureId, kBlankTeamPanel);
    EXPECT_EQ(view.SelectedEntry, -1);
    EXPECT_EQ(RemoveModeTeamPosition(drive.Pv, drive.Ui, williams), 0);
    EXPECT_TRUE(drive.Ui.Messages.empty() && drive.Ui.Traps.empty()) << drive.Ui.Transcript();
}

}  // namespace
}  // namespace movrand::test
