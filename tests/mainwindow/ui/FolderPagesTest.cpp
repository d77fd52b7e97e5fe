// The "Car Folders" and "GPL Directory" pages driven through the main window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <memory>

#include "DemoInstallation.h"
#include "GameGuard.h"
#include "TempDrive.h"
#include "WindowFixture.h"
#include "mainwindow/ui/ControlSetup.h"
#include "mainwindow/ui/frmMovrand.h"
#include "ui/SimulatedInput.h"

namespace movrand::test {
namespace {

using mainwindow::frmMovrand;
using mainwindow::PlaceOf;

using FolderPagesTest = WindowFixture;

TEST_F(FolderPagesTest, DeleteBoxSwitchesThePage) {
    Open();
    auto* name = Find<QLineEdit>("txt(0)");
    name->setText("old67");
    Find<QCheckBox>("chk(0)")->setChecked(true);
    EXPECT_FALSE(Find("lbl(3)")->isHidden());
    EXPECT_FALSE(Find("drv(2)")->isEnabled());
    EXPECT_FALSE(Find("dir(2)")->isEnabled());
    EXPECT_FALSE(name->isEnabled());
    EXPECT_EQ(name->text().toStdString(), "");
    EXPECT_EQ(PlaceOf(Find("lbl(0)")).Left, 330);
    EXPECT_EQ(Find<QLabel>("lbl(0)")->text().toStdString(),
              "*** CURRENT CAR FOLDER WILL BE DELETED! ***");

    Find<QCheckBox>("chk(0)")->setChecked(false);
    EXPECT_TRUE(Find("lbl(3)")->isHidden());
    EXPECT_TRUE(name->isEnabled());
    EXPECT_EQ(name->text().toStdString(), "");  // not brought back
    EXPECT_EQ(PlaceOf(Find("lbl(0)")).Left, 120);
    EXPECT_EQ(Find<QLabel>("lbl(0)")->text().toStdString(),
              "Destination for Current GPL Car Folder");
}

TEST_F(FolderPagesTest, NameBoxTakesOnlyLettersDigitsAndUnderscore) {
    Open();
    auto* name = Find<QLineEdit>("txt(0)");
    name->setFocus();
    for (QChar c : QString("a-b.c d_1\\")) PressKey(name, Qt::Key_unknown, QString(c));
    EXPECT_EQ(name->text().toStdString(), "abcd_1");
}

TEST_F(FolderPagesTest, SaveOnCarFoldersAsksForANameThenSwapsTheLiveFolder) {
    WriteCarFolder(drive.DriveC() / "stored" / "classic", "stored");
    const auto live = TreeOf(drive.Native("C:\\sierra\\gpl\\cars\\cars67"));
    const auto stored = TreeOf(drive.Native("C:\\stored\\classic"));
    Open();
    Find<QTabWidget>("tabMovrand(0)")->setCurrentIndex(1);
    Find<dialogs::FolderListBox>("dir(1)")->SetPath("C:\\stored\\classic");
    // Without a name nothing is asked or moved, and the name box gets the focus.
    Click(Find("cmd(0)"));
    ASSERT_EQ(drive.Ui.Messages.size(), 1u);
    EXPECT_EQ(drive.Ui.Messages[0].Text, "Please enter the new name for the Current Car Folder.");
    EXPECT_TRUE(drive.Ui.Questions.empty());
    EXPECT_EQ(window->focusWidget(), Find("txt(0)"));
    EXPECT_EQ(drive.Read("C:\\sierra\\gpl\\cars\\cars67\\lotus\\lotus.dat"),
              "team data of lotus\r\n");

    Find<dialogs::FolderListBox>("dir(2)")->SetPath("C:\\stored");
    Find<QLineEdit>("txt(0)")->setText("cars67_old");
    drive.Ui.Answers = {true};
    Click(Find("cmd(0)"));
    ASSERT_EQ(drive.Ui.Questions.size(), 1u) << drive.Ui.Transcript();
    EXPECT_EQ(TreeOf(drive.Native("C:\\sierra\\gpl\\cars\\cars67")), stored);
    EXPECT_EQ(TreeOf(drive.Native("C:\\stored\\cars67_old")), live);
    EXPECT_EQ(TreeOf(drive.Native("C:\\stored\\classic")), stored);  // copied, not moved
}

TEST_F(FolderPagesTest, SaveOnGplDirectorySwitchesAndRefreshesThePages) {
    demo::MakeGplInstallation(drive.DriveC() / "gpl2");
    std::string roster = drive.Read("C:\\gpl2\\driver.ini");
    roster.replace(roster.find("first_name = Bruce"), 18, "first_name = Aaron");
    drive.Write("C:\\gpl2\\driver.ini", roster);
    Open();
    Find<dialogs::FolderListBox>("dir(3)")->SetPath("C:\\gpl2");
    drive.Ui.Answers = {true};
    Click(Find("cmd(7)"));
    EXPECT_EQ(drive.Pv.GPLPath, "C:\\gpl2\\");
    EXPECT_EQ(Find<QLabel>("lbl(13)")->text().toStdString(), "  C:\\gpl2\\");
    EXPECT_EQ(Find<dialogs::FolderListBox>("dir(3)")->Path(), "C:\\gpl2");
    auto* drivers = Find<QComboBox>("cbo(4)");
    EXPECT_EQ(drivers->count(), 19);
    EXPECT_EQ(drivers->currentText().toStdString(), "Aaron McLaren");
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();

    // A folder that is no installation is refused and leaves the page as it was.
    Find<dialogs::FolderListBox>("dir(3)")->SetPath("C:\\sierra");
    Click(Find("cmd(7)"));
    EXPECT_EQ(drive.Ui.Messages.back().Text,
              "The new Folder is NOT a valid GPL Installation Folder - Please re-select.");
    EXPECT_EQ(Find<QLabel>("lbl(13)")->text().toStdString(), "  C:\\gpl2\\");
    EXPECT_EQ(drive.Pv.GPLPath, "C:\\gpl2\\");
}

}  // namespace
}  // namespace movrand::test
