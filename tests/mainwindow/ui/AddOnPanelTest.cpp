// SPDX-License-Identifier: GPL-3.0-or-later
// The "Cars / Accessories" page's add-on panel driven through the main window: choosing an
// add-on folder, adding its files, and taking them out again in Remove mode.
#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "DemoAddOns.h"
#include "WindowFixture.h"

namespace movrand::test {
namespace {

constexpr const char* kClassic = "C:\\addons\\Ferrari 312 Classic";

// The red of the demo's Ferrari picture in the middle of the preview, or not.
bool ShowsRed(QLabel* picture) {
    const QImage image = picture->pixmap().toImage();
    const QColor c = image.pixelColor(image.width() / 2, image.height() / 2);
    return c.red() > 180 && c.green() < 60 && c.blue() < 60;
}

class AddOnPanelTest : public WindowFixture {
  protected:
    AddOnPanelTest() { demo::MakeDemoAddOns(drive.DriveC() / "addons"); }
    std::string Box(int index) { return Text(Find<QPlainTextEdit>("txt", index)->toPlainText()); }
    void ShowFolder(const std::string& folder) {
        Find<dialogs::FolderListBox>("dir", dir::kAddOnFolder)->SetPath(folder);
    }
};

TEST_F(AddOnPanelTest, ChoosingAnAddOnFolderShowsItsEntriesAndPreview) {
    Open();
    auto* folders = Find<dialogs::FolderListBox>("dir", dir::kAddOnFolder);
    folders->SetPath("C:\\addons");
    DoubleClickRowNamed(folders, "Ferrari 312 Classic");
    EXPECT_EQ(Rows(Combo(cbo::kAddOnFiles)),
              QStringList({"Ferrari 312", "Red Wheels", "Chrome Mirrors"}));
    EXPECT_EQ(Box(txt::kDescription), "Ferrari 312 of 1967.\nFor the Ferrari team.");
    EXPECT_EQ(Box(txt::kCarFiles), "fer10.3do\nfer11.3do\nfer9.3do\n");
    EXPECT_TRUE(ShowsPicture(Find<QLabel>("img", img::kAddOnTeam), 109));
    EXPECT_TRUE(ShowsRed(Find<QLabel>("img", img::kPreview)));
    SaveScreenshot(window.get(), "main-window-add-on-folder");
    // A damaged picture is no error: the notice shows instead.
    drive.Write(std::string(kClassic) + "\\Chrome Mirrors\\zorvex.bmp", "BM not a picture");
    Choose(cbo::kAddOnFiles, "Chrome Mirrors");
    EXPECT_TRUE(Find<QLabel>("img", img::kPreview)->pixmap().isNull());
    EXPECT_FALSE(Find("lbl", lbl::kNoPicture)->isHidden());
    // A folder that is no add-on folder empties the panel.
    ShowFolder("C:\\addons");
    EXPECT_EQ(
        Combo(cbo::kAddOnFiles)->count() + Find<QListWidget>("lst", lst::kTeamDrivers)->count(), 0);
    EXPECT_EQ(Box(txt::kDescription) + Box(txt::kCarFiles), "");
    EXPECT_TRUE(Find<QLabel>("img", img::kAddOnTeam)->pixmap().isNull() &&
                Find("lbl", lbl::kNoPicture)->isHidden());
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
}

// "Add Files" installs the chosen entry and refreshes the panel; Remove mode lists what is
// installed, and a removal lists the rest before it says so.
TEST_F(AddOnPanelTest, AddFilesThenRemoveModeRemovesTheAccessory) {
    LookingUi ui;
    QStringList behind;  // the installed items on the screen behind the message
    ui.onMessage = [&] { behind = Rows(Combo(cbo::kInstalledAddOns)); };
    Open(&ui);
    ShowFolder(kClassic);
    for (const char* entry : {"Ferrari 312", "Red Wheels"}) {
        Choose(cbo::kAddOnFiles, entry);
        Click(Find("cmd", cmd::kAddFiles));
    }
    EXPECT_EQ(Text(Combo(cbo::kAddOnFiles)->currentText()),
              "Ferrari 312");  // the panel was refreshed
    EXPECT_EQ(ui.Messages.at(1).Text, "The new accessory files have been added.");

    Click(Find("cmd", cmd::kRemoveMode));
    EXPECT_FALSE(Find("fra", fra::kRemoveModePanel)->isHidden());
    EXPECT_EQ(Text(Combo(cbo::kTeams)->currentText()), "Ferrari");
    EXPECT_EQ(Rows(Combo(cbo::kInstalledAddOns)), QStringList({"Complete Car", "Red Wheels"}));
    Choose(cbo::kInstalledAddOns, "Red Wheels");
    EXPECT_EQ(Box(txt::kFilesDescription), "Red wheels for the Ferrari 312.");
    ui.Answers = {true};
    Click(Find("cmd", cmd::kRemoveFiles));
    EXPECT_EQ(ui.Questions.at(0).Message, "Are you sure you want to remove this accessory?");
    EXPECT_EQ(ui.Messages.back().Text, "The Accessory has been removed.");
    EXPECT_EQ(behind, QStringList({"Complete Car"}));
    EXPECT_EQ(drive.Read("C:\\sierra\\gpl\\cars\\cars67\\ferrari\\fer9.mip"),
              "add-on texture of car 9\r\n");
    EXPECT_TRUE(ui.Traps.empty()) << ui.Transcript();
}

// A swap of car numbers is told over the team's drivers with their new numbers, the panel still
// on the add-on folder the user chose.
TEST_F(AddOnPanelTest, ACarNumberSwapIsToldOverTheRefreshedPanel) {
    LookingUi ui;
    QStringList behind;
    std::string folderBehind;
    ui.onMessage = [&] {
        behind = Rows(Find<QListWidget>("lst", lst::kTeamDrivers));
        folderBehind = Find<dialogs::FolderListBox>("dir", dir::kAddOnFolder)->Path();
    };
    Open(&ui);
    ShowFolder(kClassic);
    Choose(cbo::kDrivers, "Chris Amon");
    Choose(cbo::kCarNumbers, "12");
    Click(Find("cmd", cmd::kSaveCarNumber));
    ASSERT_EQ(ui.Messages.size(), 1u) << ui.Transcript();
    EXPECT_EQ(folderBehind, kClassic);
    EXPECT_TRUE(behind.filter("Amon").value(0).contains("[12]")) << Text(behind.join(","));
}

}  // namespace
}  // namespace movrand::test
