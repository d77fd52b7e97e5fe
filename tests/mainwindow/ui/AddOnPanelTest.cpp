// The "Cars / Accessories" page's add-on panel driven through the main window: choosing an
// add-on folder, adding its files, and taking them out again in Remove mode.
#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "DemoAddOns.h"
#include "WindowFixture.h"
#include "mainwindow/ui/MainWindowPictures.h"
#include "ui/SimulatedInput.h"

namespace movrand::test {
namespace {

constexpr const char* kClassic = "C:\\addons\\Ferrari 312 Classic";
constexpr const char* kFerrari = "C:\\sierra\\gpl\\cars\\cars67\\ferrari";

// The colour in the middle of a shown picture (the demo's pictures are of one colour each).
QColor MiddleColour(const QLabel* picture) {
    const QImage image = picture->pixmap().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

bool Near(const QColor& colour, int red, int green, int blue) {
    return std::abs(colour.red() - red) <= 6 && std::abs(colour.green() - green) <= 6 &&
           std::abs(colour.blue() - blue) <= 6;
}

class AddOnPanelTest : public WindowFixture {
  protected:
    AddOnPanelTest() { demo::MakeDemoAddOns(drive.DriveC() / "addons"); }

    std::string Box(const char* name) { return Text(Find<QPlainTextEdit>(name)->toPlainText()); }
    void ShowFolder(const std::string& folder) {
        Find<dialogs::FolderListBox>("dir(0)")->SetPath(folder);
    }
    // Adds the entry of the classic Ferrari add-on chosen in the entry list.
    void AddEntry(const QString& entry) {
        ShowFolder(kClassic);
        Choose("cbo(1)", entry);
        Click(Find("cmd(1)"));
    }
};

TEST_F(AddOnPanelTest, ChoosingAnAddOnFolderShowsItsEntriesAndPreview) {
    Open();
    // The user opens the add-on folder by double-clicking it in the folder list.
    auto* folders = Find<dialogs::FolderListBox>("dir(0)");
    folders->SetPath("C:\\addons");
    DoubleClickRowNamed(folders, "Ferrari 312 Classic");
    ASSERT_EQ(folders->Path(), kClassic);

    EXPECT_EQ(Rows(Combo("cbo(1)")), QStringList({"Ferrari 312", "Red Wheels", "Chrome Mirrors"}));
    EXPECT_EQ(Text(Combo("cbo(1)")->currentText()), "Ferrari 312");
    EXPECT_EQ(Box("txt(2)"), "Ferrari 312 of 1967.For the Ferrari team.");
    EXPECT_EQ(Box("txt(3)"), "fer10.3do\nfer11.3do\nfer9.3do\n");
    // The team's picture, and the entry's bitmap (it has a JPEG too).
    EXPECT_EQ(Find<QLabel>("img(0)")->pixmap().toImage(), mainwindow::ResPicture(109).toImage());
    EXPECT_TRUE(Near(MiddleColour(Find<QLabel>("img(1)")), 200, 30, 30));
    EXPECT_EQ(Find<QListWidget>("lst(0)")->count(), 3);
    SaveScreenshot(window.get(), "main-window-add-on-folder");

    // Another entry: its JPEG and description; the model list stays until "Excl. Generic".
    drive.Write(std::string(kFerrari) + "\\abc1a.3do", "driver model");
    Choose("cbo(1)", "Red Wheels");
    EXPECT_EQ(Box("txt(2)"), "Red wheels for the Ferrari 312.");
    EXPECT_TRUE(Near(MiddleColour(Find<QLabel>("img(1)")), 30, 60, 200));
    EXPECT_EQ(Box("txt(3)"), "fer10.3do\nfer11.3do\nfer9.3do\n");
    Find<QCheckBox>("chk(2)")->setChecked(true);
    EXPECT_EQ(Box("txt(3)"), "abc1a.3do\n");

    // A damaged picture is no error: the notice shows instead.
    drive.Write(std::string(kClassic) + "\\Chrome Mirrors\\zorvex.bmp", "BM not a picture");
    Choose("cbo(1)", "Chrome Mirrors");
    EXPECT_TRUE(Find<QLabel>("img(1)")->pixmap().isNull());
    EXPECT_FALSE(Find("lbl(6)")->isHidden());
    // A folder that is no add-on folder empties the panel.
    ShowFolder("C:\\addons");
    EXPECT_EQ(Combo("cbo(1)")->count() + Find<QListWidget>("lst(0)")->count(), 0);
    EXPECT_EQ(Box("txt(2)") + Box("txt(3)"), "");
    EXPECT_TRUE(Find<QLabel>("img(0)")->pixmap().isNull());
    EXPECT_TRUE(Find<QLabel>("img(1)")->pixmap().isNull());
    EXPECT_TRUE(Find("lbl(6)")->isHidden());
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
}

// "Add Files" installs the chosen entry and refreshes the panel; Remove mode lists what is
// installed and takes it out again.
TEST_F(AddOnPanelTest, AddFilesThenRemoveModeRemovesTheAccessory) {
    LookingUi ui;
    QStringList behind;  // the installed items on the screen behind each message
    ui.onMessage = [&] { behind = Rows(Combo("cbo(2)")); };
    Open(&ui);
    AddEntry("Ferrari 312");
    EXPECT_EQ(drive.Read(std::string(kFerrari) + "\\fer9.3do"), "add-on model of car 9\r\n");
    AddEntry("Red Wheels");
    EXPECT_EQ(drive.Read(std::string(kFerrari) + "\\fer9.mip"), "red wheels texture of car 9\r\n");
    EXPECT_EQ(Text(Combo("cbo(1)")->currentText()), "Ferrari 312");  // the panel was refreshed
    ASSERT_EQ(ui.Messages.size(), 2u) << ui.Transcript();
    EXPECT_EQ(ui.Messages[1].Text, "The new accessory files have been added.");

    Click(Find("cmd(3)"));
    EXPECT_FALSE(Find("fra(1)")->isHidden());
    EXPECT_EQ(Text(Combo("cbo(3)")->currentText()), "Ferrari");
    EXPECT_EQ(Rows(Combo("cbo(2)")), QStringList({"Complete Car", "Red Wheels"}));
    EXPECT_EQ(Box("txt(1)"), "Ferrari 312 of 1967.For the Ferrari team.");

    Choose("cbo(2)", "Red Wheels");
    EXPECT_EQ(Box("txt(1)"), "Red wheels for the Ferrari 312.");
    EXPECT_TRUE(Near(MiddleColour(Find<QLabel>("img(1)")), 30, 60, 200));

    // No keeps the accessory; Yes takes it out, puts the car's texture back and lists the rest
    // before it says so.
    Click(Find("cmd(4)"));
    ASSERT_EQ(ui.Questions.size(), 1u);
    EXPECT_EQ(ui.Questions[0].Message, "Are you sure you want to remove this accessory?");
    ui.Answers = {true};
    Click(Find("cmd(4)"));
    EXPECT_EQ(ui.Messages.back().Text, "The Accessory has been removed.");
    EXPECT_EQ(behind, QStringList({"Complete Car"}));
    EXPECT_EQ(drive.Read(std::string(kFerrari) + "\\fer9.mip"), "add-on texture of car 9\r\n");
    EXPECT_EQ(Rows(Combo("cbo(2)")), QStringList({"Complete Car"}));

    Click(Find("cmd(5)"));
    EXPECT_FALSE(Find("fra(2)")->isHidden());
    EXPECT_EQ(Text(Combo("cbo(1)")->currentText()), "Ferrari 312");
    EXPECT_TRUE(ui.Traps.empty()) << ui.Transcript();
}

// A swap of car numbers is told over the team's drivers with their new numbers, the panel still
// on the add-on folder the user chose.
TEST_F(AddOnPanelTest, ACarNumberSwapIsToldOverTheRefreshedPanel) {
    LookingUi ui;
    QStringList behind;
    std::string folderBehind;
    ui.onMessage = [&] {
        behind = Rows(Find<QListWidget>("lst(0)"));
        folderBehind = Find<dialogs::FolderListBox>("dir(0)")->Path();
    };
    Open(&ui);
    ShowFolder(kClassic);
    Choose("cbo(4)", "Chris Amon");
    Choose("cbo(5)", "12");
    Click(Find("cmd(6)"));
    ASSERT_EQ(ui.Messages.size(), 1u) << ui.Transcript();
    EXPECT_EQ(folderBehind, kClassic);
    ASSERT_FALSE(behind.isEmpty());
    EXPECT_TRUE(behind.filter("Amon").value(0).contains("[12]")) << Text(behind.join(","));
}

}  // namespace
}  // namespace movrand::test
