// SPDX-License-Identifier: GPL-3.0-or-later
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

// A team without a game folder is reported; names leading outside the add-on folder are not
// followed.
TEST(Preview, NamesOutsideTheAddOnAndATeamWithoutAFolder) {
    AddOnDrive drive;
    drive.Write("C:\\addons\\secret.zorvex", "secret");
    drive.Write("C:\\addons\\zorvex.bmp", "picture outside");
    drive.Write("C:\\addons\\Sly\\zorvexcar.zorvex",
                "[header]\r\nteam = mclaren\r\n[files]\r\nfile1desc = ..\r\n1 = ..\\secret\r\n");
    const AddOnPreview view =
        ShowAddOnFiles(drive.Pv, drive.Ui, "C:\\addons\\Sly", 0, "..", true, true, false);
    EXPECT_EQ(view.Description, "");
    EXPECT_EQ(view.PicturePath, "");
    ASSERT_EQ(drive.Ui.Traps.size(), 1u);
    EXPECT_EQ(drive.Ui.Traps[0].Text,
              "76\r\nPath not found: C:\\sierra\\gpl\\cars\\cars67\\mclaren");
    EXPECT_EQ(drive.Ui.Traps[0].Icon, platform::MessageIcon::Information);
}

}  // namespace
}  // namespace movrand::test
