#include <gtest/gtest.h>

#include "AddOnFixture.h"
#include "addons/AddOnPreview.h"
#include "addons/BackupFolder.h"

namespace movrand::test {
namespace {

// Excluding generic models keeps only the drivers' own; including them adds the team's numbered
// models. A nine-character name starting with the team prefix is only tested as prefix plus two
// digits.
TEST(ModelList, DriverModelsAndTheTeamsNumberedModels) {
    const std::vector<std::pair<bool, std::vector<const char*>>> listed = {
        {true, {"fer1a.3do", "abc1a.3do", "xyz12a.3do"}},
        {false, {"fer1.3do", "fer12.3do", "abc1a.3do", "abc12a.3do"}}};
    const std::vector<std::pair<bool, std::vector<const char*>>> left = {
        {true,
         {"fer1.3do", "fer12.3do", "fer.3do", "ab1a.3do", "fer1a.mip", "a1c1a.3do", "abc123a.3do"}},
        {false, {"abc12.3do", "fer1b.3do", "fer1a.3do", "bra1.3do", "fer.3do", "ferx.3do"}}};
    for (const auto& [exclude, names] : listed)
        for (const char* name : names) EXPECT_TRUE(IsListedModel(name, "fer", exclude)) << name;
    for (const auto& [exclude, names] : left)
        for (const char* name : names) EXPECT_FALSE(IsListedModel(name, "fer", exclude)) << name;
}

AddOnPreview Show(AddOnDrive& drive, const std::string& folder, int index, const std::string& entry,
                  bool description, bool models) {
    return ShowAddOnFiles(drive.Pv, drive.Ui, folder, index, entry, description, models, false);
}

// The entry's picture (JPEG when there is no bitmap) and text; the model list only when asked
// for; without a picture the notice; without a marker the old picture stays.
TEST(Preview, ShowsWhatTheEntryHasAndLeavesAloneWhatIsNotAskedFor) {
    AddOnDrive drive;
    const AddOnPreview wheels = Show(drive, kClassic, 1, "Red Wheels", true, false);
    EXPECT_FALSE(wheels.ModelsRefreshed);
    EXPECT_EQ(wheels.PicturePath, std::string(kClassic) + "\\Red Wheels\\zorvex.jpg");
    EXPECT_EQ(wheels.Description, "Red wheels for the Ferrari 312.");
    const std::string plain =
        drive.MakeOneEntry("Plain", "ferrari", "Plain", "accessory", {{"p.mip", "p"}}, "");
    const AddOnPreview none = Show(drive, plain, 0, "Plain", true, false);
    EXPECT_TRUE(none.PictureChanged && none.NoticeVisible && none.DescriptionRefreshed);
    EXPECT_EQ(none.Description, "");
    drive.Write("C:\\addons\\empty\\readme.txt", "x");
    const AddOnPreview empty = Show(drive, "C:\\addons\\empty", 0, "", true, true);
    EXPECT_FALSE(empty.PictureChanged || empty.NoticeVisible);
    EXPECT_TRUE(empty.ModelsRefreshed && empty.Models.empty());
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
}

// Cooper and Honda list the models of coventry and murasama; a team without a game folder is
// reported; names leading outside the add-on folder are not followed.
TEST(Preview, TeamFoldersAndNamesOutsideTheAddOn) {
    AddOnDrive drive;
    const std::string cooper =
        drive.MakeOneEntry("Cooper", "Cooper", "T86", "car", {{"t.3do", "t"}}, "T86.\r\n");
    EXPECT_EQ(Show(drive, cooper, 0, "T86", false, true).Models,
              (std::vector<std::string>{"cov16.3do", "cov18.3do", "cov5.3do", "cov6.3do"}));
    const std::string honda =
        drive.MakeOneEntry("Honda", "honda", "RA300", "car", {{"r.3do", "r"}}, "RA.\r\n");
    EXPECT_EQ(Show(drive, honda, 0, "RA300", false, true).Models,
              std::vector<std::string>{"mur15.3do"});
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();

    drive.Write("C:\\addons\\secret.zorvex", "secret");
    drive.Write("C:\\addons\\zorvex.bmp", "picture outside");
    const std::string sly = drive.MakeOneEntry("Sly", "mclaren", "Sly", "accessory", {}, "");
    drive.Write(sly + "\\zorvexcar.zorvex",
                "[header]\r\nteam = mclaren\r\n[files]\r\nfile1desc = ..\r\n1 = ..\\secret\r\n");
    const AddOnPreview view = Show(drive, sly, 0, "..", true, true);
    EXPECT_EQ(view.Description, "");
    EXPECT_EQ(view.PicturePath, "");
    ASSERT_EQ(drive.Ui.Traps.size(), 1u);
    EXPECT_EQ(drive.Ui.Traps[0].Text, "76\r\nPath not found");
    EXPECT_EQ(drive.Ui.Traps[0].Icon, platform::MessageIcon::Information);
}

// Stamps have no separators and no leading zeros, so stamps of one second or of equal text
// are numbered.
TEST(BackupFolder, StampsOfOneSecondOrEqualTextAreNumbered) {
    AddOnDrive drive;
    platform::FileSystem fs = drive.Pv.Files();
    const std::string cars = "C:\\sierra\\gpl\\cars\\replacedcars\\";
    EXPECT_EQ(CreateBackupFolder(drive.Pv, fs, "cars\\replacedcars\\", "ferrari"),
              cars + "ferrari5122026749\\");
    EXPECT_EQ(CreateBackupFolder(drive.Pv, fs, "cars\\replacedcars\\", "ferrari"),
              cars + "ferrari51220267491\\");
    // 1 November and 11 January give the same text.
    drive.Clock->Time = {2026, 11, 1, 8, 0, 0};
    EXPECT_EQ(CreateBackupFolder(drive.Pv, fs, "cars\\replacedcars\\", "lotus"),
              cars + "lotus1112026800\\");
    drive.Clock->Time = {2026, 1, 11, 8, 0, 0};
    EXPECT_EQ(CreateBackupFolder(drive.Pv, fs, "cars\\replacedcars\\", "lotus"),
              cars + "lotus11120268001\\");
}

}  // namespace
}  // namespace movrand::test
