#include <gtest/gtest.h>

#include <filesystem>

#include "DemoAddOns.h"
#include "TempDrive.h"
#include "folders/AddOnFolderPanel.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

struct Panel {
    TempDrive drive;

    std::string Make(const std::string& name, const demo::DemoAddOn& addOn) {
        demo::MakeAddOnFolder(drive.Native("C:\\addons") / name, addOn);
        return "C:\\addons\\" + name;
    }
    std::string Marker(const std::string& name, const std::string& text) {
        drive.Write("C:\\addons\\" + name + "\\zorvexcar.zorvex", text);
        return "C:\\addons\\" + name;
    }
    AddOnFolderView Show(const std::string& folder, bool excludeGeneric = false) {
        return ShowAddOnFolder(drive.Pv, drive.Ui, folder, excludeGeneric);
    }
};

demo::DemoEntry Entry(const std::string& description, const std::string& kind,
                      const std::string& text = "") {
    return {description, kind, {{"part.mip", description + " part\r\n"}}, text, false, false};
}

TEST(AddOnFolderPanel, AHondaMarkerShowsTeamSixAndSelectsPositionFiveInRemoveMode) {
    Panel p;
    const std::string folder =
        p.Make("rcx", {"HoNDA", {Entry("RA300", "car", "Honda RA300.\r\n")}});
    const AddOnFolderView view = p.Show(folder);
    EXPECT_TRUE(view.IsAddOnFolder);
    EXPECT_EQ(view.TeamPictureId, 111);
    EXPECT_TRUE(view.TeamTooltipSet);
    EXPECT_EQ(view.TeamTooltip, " Honda ");
    EXPECT_EQ(view.Entries, std::vector<std::string>{"RA300"});
    EXPECT_EQ(view.TeamDrivers, std::vector<std::string>{"John Surtees [15]"});
    EXPECT_EQ(RemoveModeTeamPosition(p.drive.Pv, p.drive.Ui, folder), 5);
    const RemoveModeView remove = EnterRemoveMode(p.drive.Pv, p.drive.Ui, folder);
    EXPECT_EQ(remove.TeamPosition, 5);
    EXPECT_NE(remove.Installed.TeamFolder.find("murasama"), std::string::npos);
    EXPECT_TRUE(p.drive.Ui.Traps.empty()) << p.drive.Ui.Transcript();
}

TEST(AddOnFolderPanel, EntriesRunUntilTheFirstMissingNumber) {
    Panel p;
    const std::string folder = p.Marker(
        "gaps",
        "[header]\r\nteam = ferrari\r\n\r\n[files]\r\nfile1desc = Ferrari 312\r\nFerrari312 = car\r\n"
        "1 = zorvexferrari1\r\nfile2desc = Ferrari 312\r\nfile4desc = Blue Nose\r\n");
    p.drive.Write("C:\\addons\\gaps\\zorvexferrari1.zorvex", "First line.\r\nSecond line.\r\n");
    p.drive.Write("C:\\addons\\gaps\\Ferrari 312\\zorvex.jpg", demo::SolidJpeg(8, 8, 1, 2, 3));
    const AddOnFolderView view = p.Show(folder);
    // Duplicates stay; entry 4 is never reached.
    EXPECT_EQ(view.Entries, (std::vector<std::string>{"Ferrari 312", "Ferrari 312"}));
    EXPECT_EQ(view.SelectedEntry, 0);
    EXPECT_EQ(view.TeamPictureId, 109);
    // The first entry is previewed at once.
    EXPECT_EQ(view.Preview.Description, "First line.Second line.");
    EXPECT_EQ(view.Preview.PicturePath, "C:\\addons\\gaps\\Ferrari 312\\zorvex.jpg");
    EXPECT_EQ(view.TeamDrivers, (std::vector<std::string>{"Chris Amon [9]", "Lorenzo Bandini [10]",
                                                          "Ludovico Scarfiotti [11]"}));
}

TEST(AddOnFolderPanel, NoMarkerOrAnUnknownTeam) {
    Panel p;
    fs::create_directories(p.drive.Native("C:\\addons\\plain"));
    AddOnFolderView view = p.Show("C:\\addons\\plain");
    EXPECT_FALSE(view.IsAddOnFolder);
    EXPECT_EQ(view.TeamPictureId, 0);
    EXPECT_TRUE(view.Entries.empty());
    EXPECT_TRUE(view.TeamDrivers.empty());
    EXPECT_EQ(RemoveModeTeamPosition(p.drive.Pv, p.drive.Ui, "C:\\addons\\plain"), 0);

    const std::string folder = p.Marker("williams", "[header]\r\nteam = Williams\r\n");
    view = p.Show(folder);
    EXPECT_TRUE(view.IsAddOnFolder);
    EXPECT_EQ(view.TeamPictureId, kBlankTeamPanel);
    EXPECT_FALSE(view.TeamTooltipSet);
    EXPECT_TRUE(view.Entries.empty());
    EXPECT_EQ(view.SelectedEntry, -1);
    EXPECT_FALSE(view.Preview.DescriptionRefreshed);
    EXPECT_TRUE(view.TeamDrivers.empty());
    EXPECT_EQ(RemoveModeTeamPosition(p.drive.Pv, p.drive.Ui, folder), 0);
    EXPECT_TRUE(p.drive.Ui.Messages.empty());
    EXPECT_TRUE(p.drive.Ui.Traps.empty()) << p.drive.Ui.Transcript();

    EXPECT_EQ(RemoveModeTeamPosition(p.drive.Pv, p.drive.Ui,
                                     p.Marker("lotus", "[header]\r\nteam = LOTUS\r\n")),
              6);
    EXPECT_EQ(RemoveModeTeamPosition(p.drive.Pv, p.drive.Ui,
                                     p.Marker("cooper", "[header]\r\nteam = Cooper\r\n")),
              2);
}

}  // namespace
}  // namespace movrand::test
