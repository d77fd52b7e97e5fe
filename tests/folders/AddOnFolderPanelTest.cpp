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
    EXPECT_TRUE(view.Preview.DescriptionRefreshed);
    EXPECT_EQ(view.Preview.Description, "First line.Second line.");
    EXPECT_EQ(view.Preview.PicturePath, "C:\\addons\\gaps\\Ferrari 312\\zorvex.jpg");
    // The model list of the live ferrari folder, generic models included.
    EXPECT_TRUE(view.Preview.ModelsRefreshed);
    EXPECT_EQ(view.Preview.Models,
              (std::vector<std::string>{"fer10.3do", "fer11.3do", "fer9.3do"}));
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

TEST(AddOnFolderPanel, AddSelectedFilesPassesTheStandardFolderOnlyForACarFirstEntry) {
    Panel p;
    demo::MakeDemoAddOns(p.drive.Native("C:\\addons"));
    const std::string ferrari = "C:\\addons\\Ferrari 312 Classic";

    // The accessory before its car: refused, nothing installed.
    AddFilesResult result = AddSelectedFiles(p.drive.Pv, p.drive.Ui, ferrari, "Red Wheels", false);
    EXPECT_EQ(result.Outcome, InstallOutcome::Refused);
    ASSERT_EQ(p.drive.Ui.Messages.size(), 1u);
    EXPECT_EQ(
        p.drive.Ui.Messages[0].Text,
        "The Accessories cannot be added as they are to be used with a complete car that is not in the GPL Car Folder.");
    EXPECT_FALSE(p.drive.Exists("C:\\sierra\\gpl\\cars\\cars67\\ferrari\\wheels.mip"));

    result = AddSelectedFiles(p.drive.Pv, p.drive.Ui, ferrari, "Ferrari 312", false);
    EXPECT_EQ(result.Outcome, InstallOutcome::Installed);
    EXPECT_TRUE(result.PanelRefreshed);
    EXPECT_EQ(result.Panel.Entries,
              (std::vector<std::string>{"Ferrari 312", "Red Wheels", "Chrome Mirrors"}));
    EXPECT_EQ(p.drive.Read("C:\\sierra\\gpl\\cars\\cars67\\ferrari\\fer9.3do"),
              "add-on model of car 9\r\n");

    // A description with a blank and capitals: its kind is found under "redwheels".
    result = AddSelectedFiles(p.drive.Pv, p.drive.Ui, ferrari, "Red Wheels", false);
    EXPECT_EQ(result.Outcome, InstallOutcome::Installed) << p.drive.Ui.Transcript();
    EXPECT_EQ(p.drive.Read("C:\\sierra\\gpl\\cars\\cars67\\ferrari\\zorvexacc_Red Wheels.zorvex"),
              "[standardfile]\r\nstandard = C:\\addons\\Ferrari 312 Classic\\ferrari 312\r\n\r\n"
              "[accessories]\r\nfile1 = fer9.mip\r\nfer9.mip = replaced existing\r\n"
              "file2 = wheels.mip\r\nwheels.mip = just added\r\n");
    EXPECT_EQ(p.drive.Ui.Messages.back().Text, "The new accessory files have been added.");
    // The hourglass was shown and taken away again.
    EXPECT_FALSE(p.drive.Ui.IsBusy());
    EXPECT_GE(p.drive.Ui.BusyChanges, 2);
}

TEST(AddOnFolderPanel, AnAccessoryWithoutACarOfItsOwnAsksForTheTeam) {
    Panel p;
    demo::MakeDemoAddOns(p.drive.Native("C:\\addons"));
    p.drive.Ui.Teams = {"Cooper"};
    const AddFilesResult result = AddSelectedFiles(
        p.drive.Pv, p.drive.Ui, "C:\\addons\\Universal Helmets", "Helmet Pack", false);
    EXPECT_EQ(result.Outcome, InstallOutcome::Installed) << p.drive.Ui.Transcript();
    EXPECT_EQ(p.drive.Ui.TeamCalls, 1);
    EXPECT_EQ(p.drive.Read("C:\\sierra\\gpl\\cars\\cars67\\coventry\\helmet1.mip"),
              "helmet one\r\n");
    // No car entry: no standard folder, and nothing of the team folder was replaced.
    EXPECT_EQ(p.drive.Read("C:\\sierra\\gpl\\cars\\cars67\\coventry\\zorvexacc_Helmet Pack.zorvex"),
              "[accessories]\r\nfile1 = helmet1.mip\r\nhelmet1.mip = just added\r\n"
              "file2 = helmet2.mip\r\nhelmet2.mip = just added\r\n");
}

}  // namespace
}  // namespace movrand::test
