#include <gtest/gtest.h>

#include "AddOnFixture.h"
#include "addons/AddOnPreview.h"

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

class Preview : public ::testing::Test {
  protected:
    Preview() {
        for (const char* name : {"FER1A.3DO", "abc12a.3do", "fer1.3do", "Fer12.3do", "abc12.3do"})
            drive.Write(std::string(kFerrari) + "\\" + name, "model");
    }
    AddOnPreview Show(const std::string& folder, int index, const std::string& entry,
                      bool description, bool models, bool excludeGeneric) {
        return ShowAddOnFiles(drive.Pv, drive.Ui, folder, index, entry, description, models,
                              excludeGeneric);
    }
    AddOnDrive drive;
};

TEST_F(Preview, ShowsPictureDescriptionAndModelsOfTheChosenEntry) {
    const AddOnPreview view = Show(kClassic, 0, "Ferrari 312", true, true, false);
    EXPECT_TRUE(view.PictureChanged);
    // The bitmap wins over the JPEG.
    EXPECT_EQ(view.PicturePath, std::string(kClassic) + "\\Ferrari 312\\zorvex.bmp");
    EXPECT_FALSE(view.NoticeVisible);
    EXPECT_EQ(view.Description, "Ferrari 312 of 1967.For the Ferrari team.");
    // Lower-cased, in the listing order; the game's own models of the demo team folder too.
    EXPECT_EQ(view.Models, (std::vector<std::string>{"abc12a.3do", "fer1.3do", "fer10.3do",
                                                     "fer11.3do", "fer12.3do", "fer9.3do"}));
    EXPECT_EQ(view.ModelList,
              "abc12a.3do\r\nfer1.3do\r\nfer10.3do\r\nfer11.3do\r\nfer12.3do\r\nfer9.3do\r\n");

    const AddOnPreview excluded = Show(kClassic, 0, "Ferrari 312", false, true, true);
    EXPECT_FALSE(excluded.DescriptionRefreshed);
    EXPECT_EQ(excluded.ModelList, "abc12a.3do\r\nfer1a.3do\r\n");

    // Choosing another entry can leave the model list alone.
    const AddOnPreview wheels = Show(kClassic, 1, "Red Wheels", true, false, false);
    EXPECT_FALSE(wheels.ModelsRefreshed);
    EXPECT_TRUE(wheels.Models.empty());
    EXPECT_EQ(wheels.PicturePath, std::string(kClassic) + "\\Red Wheels\\zorvex.jpg");
    EXPECT_EQ(wheels.Description, "Red wheels for the Ferrari 312.");
    EXPECT_TRUE(drive.Ui.Traps.empty());
}

TEST_F(Preview, WithoutPictureOrMarkerTheNoticeOrTheOldPictureShows) {
    const std::string folder = drive.MakeOneEntry("Plain", "ferrari", "Plain", "accessory",
                                                  {{"p.mip", "p"}}, "Plain text.\r\n");
    drive.Write(folder + "\\zorvexcar.zorvex",
                "[header]\r\nteam = ferrari\r\n[files]\r\nfile1desc = Plain\r\n");
    const AddOnPreview view = Show(folder, 0, "Plain", true, false, false);
    EXPECT_TRUE(view.PictureChanged);
    EXPECT_EQ(view.PicturePath, "");
    EXPECT_TRUE(view.NoticeVisible);
    EXPECT_TRUE(view.DescriptionRefreshed);
    EXPECT_EQ(view.Description, "");

    // A folder without a marker leaves the picture as it was.
    drive.Write("C:\\addons\\empty\\readme.txt", "x");
    const AddOnPreview empty = Show("C:\\addons\\empty", 0, "", true, true, false);
    EXPECT_FALSE(empty.PictureChanged);
    EXPECT_FALSE(empty.NoticeVisible);
    EXPECT_TRUE(empty.DescriptionRefreshed);
    EXPECT_TRUE(empty.ModelsRefreshed);
    EXPECT_TRUE(empty.Models.empty());
}

TEST_F(Preview, ATeamWithoutAGameFolderIsReported) {
    const std::string folder =
        drive.MakeOneEntry("McLaren", "mclaren", "M7", "car", {{"m.3do", "m"}}, "M7.\r\n");
    const AddOnPreview view = Show(folder, 0, "M7", true, true, false);
    EXPECT_EQ(view.Description, "M7.");
    ASSERT_EQ(drive.Ui.Traps.size(), 1u);
    EXPECT_EQ(drive.Ui.Traps[0].Text, "76\r\nPath not found");
    EXPECT_EQ(drive.Ui.Traps[0].Icon, platform::MessageIcon::Information);
    EXPECT_EQ(drive.Ui.Traps[0].Title, "Movrand");
}

// Add-ons that name Cooper or Honda list the models of coventry and murasama.
TEST_F(Preview, CooperAndHondaUseTheirGameFoldersAndPrefixes) {
    const std::string cooper =
        drive.MakeOneEntry("Cooper", "Cooper", "T86", "car", {{"t.3do", "t"}}, "T86.\r\n");
    EXPECT_EQ(Show(cooper, 0, "T86", false, true, false).Models,
              (std::vector<std::string>{"cov16.3do", "cov18.3do", "cov5.3do", "cov6.3do"}));
    const std::string honda =
        drive.MakeOneEntry("Honda", "honda", "RA300", "car", {{"r.3do", "r"}}, "RA.\r\n");
    EXPECT_EQ(Show(honda, 0, "RA300", false, true, false).Models,
              std::vector<std::string>{"mur15.3do"});
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
}

// Names that would lead outside the add-on folder are not followed.
TEST_F(Preview, NamesLeadingOutsideTheAddOnFolderAreNotRead) {
    drive.Write("C:\\addons\\secret.zorvex", "secret");
    drive.Write("C:\\addons\\zorvex.bmp", "picture outside");
    const std::string folder =
        drive.MakeOneEntry("Sly", "ferrari", "Sly", "accessory", {{"s.mip", "s"}}, "");
    drive.Write(folder + "\\zorvexcar.zorvex",
                "[header]\r\nteam = ferrari\r\n[files]\r\nfile1desc = ..\r\n1 = ..\\secret\r\n");
    const AddOnPreview view = Show(folder, 0, "..", true, false, false);
    EXPECT_EQ(view.Description, "");
    EXPECT_EQ(view.PicturePath, "");
    EXPECT_TRUE(view.NoticeVisible);
}

}  // namespace
}  // namespace movrand::test
