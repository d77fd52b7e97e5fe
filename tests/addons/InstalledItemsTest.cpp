#include <gtest/gtest.h>

#include <functional>

#include "AddOnFixture.h"
#include "addons/InstallAddOnFiles.h"
#include "addons/InstalledItems.h"

namespace movrand::test {
namespace {

constexpr int kFerrariPosition = 4;

// The demo car with both of its accessories, as the program installs them.
void InstallClassicWithAccessories(AddOnDrive& drive) {
    ASSERT_EQ(drive.Install(kClassic, "Ferrari 312"), InstallOutcome::Installed);
    ASSERT_EQ(drive.Install(kClassic, "Red Wheels"), InstallOutcome::Installed);
    ASSERT_EQ(drive.Install(kClassic, "Chrome Mirrors"), InstallOutcome::Installed);
    drive.Ui.Messages.clear();
}

TEST(ListInstalledItems, ListsTheCarFirstThenTheAccessoryRecordsAndShowsEach) {
    AddOnDrive drive;
    InstallClassicWithAccessories(drive);
    // Only the prefix in exactly its own letter case marks a record.
    drive.Write(Ferrari("ZORVEXACC_Other.zorvex"), "[accessories]\r\n");
    const InstalledItemsView view = ListInstalledItems(drive.Pv, drive.Ui, kFerrariPosition);
    EXPECT_EQ(view.Items,
              (std::vector<std::string>{"Complete Car", "Chrome Mirrors", "Red Wheels"}));
    EXPECT_EQ(view.TeamPictureId, 109);
    EXPECT_EQ(view.TeamFolder, "C:\\sierra\\gpl\\cars\\cars67\\ferrari");
    EXPECT_EQ(view.SelectedIndex, 0);
    EXPECT_TRUE(view.RemoveEnabled);
    // The first item is shown: the car's bitmap before its JPEG, its description in one run.
    EXPECT_EQ(view.Shown.PicturePath, Ferrari("zorvexcarbmp.bmp"));
    EXPECT_FALSE(view.Shown.NoticeVisible);
    EXPECT_EQ(view.Shown.Description, "Ferrari 312 of 1967.For the Ferrari team.");

    // An accessory shows its own picture and description; without a picture, the notice.
    InstalledItemView item = ShowInstalledItem(drive.Pv, drive.Ui, kFerrariPosition, "Red Wheels");
    EXPECT_EQ(item.PicturePath, Ferrari("zorvexjpg_Red Wheels.jpg"));
    EXPECT_EQ(item.Description, "Red wheels for the Ferrari 312.");
    drive.Pv.Files().DeleteFile(Ferrari("zorvexbmp_Chrome Mirrors.bmp"));
    item = ShowInstalledItem(drive.Pv, drive.Ui, kFerrariPosition, "Chrome Mirrors");
    EXPECT_EQ(item.PicturePath, "");
    EXPECT_TRUE(item.NoticeVisible);
}

TEST(ListInstalledItems, NothingInstalledOrNoTeamOrNoFolderListsNothing) {
    AddOnDrive drive;
    InstalledItemsView view = ListInstalledItems(drive.Pv, drive.Ui, kFerrariPosition);
    EXPECT_TRUE(view.Items.empty());
    EXPECT_FALSE(view.RemoveEnabled);
    EXPECT_EQ(view.SelectedIndex, -1);

    view = ListInstalledItems(drive.Pv, drive.Ui, -1);
    EXPECT_EQ(view.TeamPictureId, 0);
    EXPECT_TRUE(drive.Ui.Traps.empty());

    drive.Pv.Files().DeleteFolder("C:\\sierra\\gpl\\cars\\cars67\\brm", true);
    view = ListInstalledItems(drive.Pv, drive.Ui, 1);
    EXPECT_TRUE(view.Items.empty());
    EXPECT_FALSE(view.RemoveEnabled);
    ASSERT_EQ(drive.Ui.Traps.size(), 1u);
    EXPECT_EQ(drive.Ui.Traps[0].Text, "76\r\nPath not found");
    EXPECT_EQ(drive.Ui.Traps[0].Title, "MovrandError");
}

TEST(RemoveAddOnFiles, NoChangesNothingYesTakesTheCarWithAllButTheDat) {
    AddOnDrive drive;
    InstallClassicWithAccessories(drive);
    const std::string dat = drive.Read(Ferrari("ferrari.dat"));
    const Files before = drive.Snapshot("C:\\");
    drive.Ui.SetBusy(true);
    const RemovalResult result =
        RemoveAddOnFiles(drive.Pv, drive.Ui, kFerrariPosition, "Complete Car");
    EXPECT_FALSE(result.Removed);
    EXPECT_EQ(drive.Snapshot("C:\\"), before);
    EXPECT_FALSE(drive.Ui.IsBusy());
    ASSERT_EQ(drive.Ui.Questions.size(), 1u);
    const platform::Question& asked = drive.Ui.Questions[0];
    EXPECT_EQ(asked.Message, "Are you sure you want to remove this car?");
    EXPECT_EQ(asked.YesTooltip, " Yes, Remove this Add-on Car ");
    EXPECT_EQ(asked.NoTooltip, " No, Do NOT Remove this Add-on Car ");
    EXPECT_EQ(asked.MyWidth, 4300);
    EXPECT_EQ(asked.MyHeight, 1700);
    EXPECT_TRUE(drive.Ui.Messages.empty());

    drive.Pv.Files().SetReadOnly(Ferrari("fer9.3do"), true);
    drive.Ui.Answers = {true};
    const RemovalResult removed =
        RemoveAddOnFiles(drive.Pv, drive.Ui, kFerrariPosition, "Complete Car");
    ASSERT_TRUE(removed.Removed) << drive.Ui.Transcript();
    EXPECT_EQ(drive.Snapshot(kFerrari), (Files{{"ferrari.dat", dat}}));
    EXPECT_TRUE(removed.List.Items.empty());
    EXPECT_FALSE(removed.List.RemoveEnabled);
    EXPECT_EQ(drive.Ui.Messages.back().Text, "The Car has been removed.");
    // The game's car stays in its backup folder.
    EXPECT_TRUE(drive.Exists("C:\\sierra\\gpl\\cars\\replacedcars\\ferrari5122026749\\fer9.3do"));
}

TEST(RemoveAddOnFiles, AnAccessoryGetsTheStandardCarsFilesBack) {
    AddOnDrive drive;
    InstallClassicWithAccessories(drive);
    const std::string car9 = drive.EntryBytes(kClassic, "Ferrari 312", "fer9.mip");
    drive.Ui.Answers = {true};
    const RemovalResult result =
        RemoveAddOnFiles(drive.Pv, drive.Ui, kFerrariPosition, "Red Wheels");
    ASSERT_TRUE(result.Removed) << drive.Ui.Transcript();
    EXPECT_EQ(drive.Ui.Questions.at(0).Message, "Are you sure you want to remove this accessory?");
    EXPECT_EQ(drive.Ui.Questions.at(0).YesTooltip, " Yes, Remove this Add-on Accessory ");
    EXPECT_EQ(drive.Ui.Questions.at(0).NoTooltip, " No, Do NOT Remove this Add-on Accessory ");
    EXPECT_EQ(drive.Read(Ferrari("fer9.mip")), car9);
    for (const char* gone : {"wheels.mip", "zorvexacc_Red Wheels.zorvex",
                             "zorvexdesc_Red Wheels.zorvex", "zorvexjpg_Red Wheels.jpg"})
        EXPECT_FALSE(drive.Exists(Ferrari(gone))) << gone;
    // Restored by copying: the standard folder keeps its file.
    EXPECT_EQ(drive.EntryBytes(kClassic, "Ferrari 312", "fer9.mip"), car9);
    EXPECT_EQ(result.List.Items, (std::vector<std::string>{"Complete Car", "Chrome Mirrors"}));
    EXPECT_EQ(drive.Ui.Messages.back().Text, "The Accessory has been removed.");
}

TEST(RemoveAddOnFiles, WithTheStandardFolderGoneReplacedFilesAreOnlyDeleted) {
    AddOnDrive drive;
    InstallClassicWithAccessories(drive);
    drive.Pv.Files().DeleteFolder(std::string(kClassic) + "\\Ferrari 312", true);
    drive.Ui.Answers = {true};
    ASSERT_TRUE(RemoveAddOnFiles(drive.Pv, drive.Ui, kFerrariPosition, "Red Wheels").Removed);
    EXPECT_FALSE(drive.Exists(Ferrari("fer9.mip")));
    EXPECT_FALSE(drive.Exists(Ferrari("wheels.mip")));
}

TEST(RemoveAddOnFiles, TheRecordsLoopStopsAtTheFirstMissingNumber) {
    AddOnDrive drive;
    for (const char* name : {"one.mip", "three.mip", "zorvexdesc_Gap.zorvex", "zorvexbmp_Gap.bmp"})
        drive.Write(Ferrari(name), "x");
    drive.Write(
        Ferrari("zorvexacc_Gap.zorvex"),
        "[accessories]\r\nfile1 = one.mip\r\none.mip = just added\r\nfile3 = three.mip\r\nthree.mip = just added\r\n");
    drive.Ui.Answers = {true};
    ASSERT_TRUE(RemoveAddOnFiles(drive.Pv, drive.Ui, kFerrariPosition, "Gap").Removed);
    EXPECT_FALSE(drive.Exists(Ferrari("one.mip")));
    EXPECT_TRUE(drive.Exists(Ferrari("three.mip")));
    EXPECT_FALSE(drive.Exists(Ferrari("zorvexacc_Gap.zorvex")));
    EXPECT_FALSE(drive.Exists(Ferrari("zorvexdesc_Gap.zorvex")));
    EXPECT_FALSE(drive.Exists(Ferrari("zorvexbmp_Gap.bmp")));
}

// An accessory installed over the game's car and removed again leaves the team folder as the game
// had it, byte for byte and under the game's names, however it went in.
TEST(RemoveAddOnFiles, OverTheGamesCarGivesBackTheGamesFolder) {
    using Entry = std::vector<std::pair<std::string, std::string>>;
    struct Case {
        const char* what;
        Entry files;
        std::function<void(AddOnDrive&)> before, between;  // before installing; before removing
        std::size_t backedUp;                              // files in the first backup folder
    };
    const auto nothing = [](AddOnDrive&) {};
    const Case cases[] = {
        {"names in other letter cases",
         {{"FER9.MIP", "blue 9"}, {"fer10.3do", "blue 10"}, {"new.mip", "n"}},
         nothing,
         nothing,
         2},
        // The second backup would otherwise hold the first installation's copies.
        {"installed twice",
         {{"fer9.mip", "blue 9"}, {"fer99.mip", "blue 99"}},
         nothing,
         [](AddOnDrive& d) {
             ASSERT_EQ(d.Install("C:\\addons\\Liveries", "Blue Livery"), InstallOutcome::Installed);
         },
         1},
        // The game's files are never overwritten without a copy, even the team's .dat.
        {"over a team folder holding only the .dat",
         {{"ferrari.dat", "tuned data"}},
         [](AddOnDrive& d) {
             for (const auto& [name, bytes] : d.Snapshot(kFerrari))
                 if (name != "ferrari.dat") d.Pv.Files().DeleteFile(Ferrari(name));
         },
         nothing,
         1},
        // A removal that stopped half-way completes when run again.
        {"recorded files deleted by hand",
         {{"fer9.mip", "blue 9"}, {"new.mip", "n"}},
         nothing,
         [](AddOnDrive& d) {
             d.Pv.Files().DeleteFile(Ferrari("fer9.mip"));
             d.Pv.Files().DeleteFile(Ferrari("new.mip"));
         },
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AddOnDrive drive;
        c.before(drive);
        const Files original = drive.Snapshot(kFerrari);
        const std::string folder = drive.MakeOneEntry(
            "Liveries", "ferrari", "Blue Livery", "accessory", c.files, "Blue.\r\n", true, true);
        ASSERT_EQ(drive.Install(folder, "Blue Livery"), InstallOutcome::Installed);
        c.between(drive);
        drive.Ui.Answers = {true};
        ASSERT_TRUE(RemoveAddOnFiles(drive.Pv, drive.Ui, kFerrariPosition, "Blue Livery").Removed)
            << drive.Ui.Transcript();
        EXPECT_EQ(drive.Snapshot(kFerrari), original);
        EXPECT_EQ(
            drive.Snapshot(std::string("C:\\sierra\\gpl\\cars\\replacedaccessories\\") + kStamp)
                .size(),
            c.backedUp);
        EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
    }
}

}  // namespace
}  // namespace movrand::test
