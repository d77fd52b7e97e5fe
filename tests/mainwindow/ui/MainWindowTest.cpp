// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <qpa/qwindowsysteminterface.h>
#include <QAccessible>
#include <QLineEdit>

#include "WindowFixture.h"
#include "dialogs/ui/QtUi.h"
#include "platform/SettingsKeys.h"

namespace movrand::test {
namespace {

using mainwindow::frmMovrand;

class MainWindowTest : public WindowFixture {
  protected:
    void Type(QWidget* target, const QString& keys) {
        for (QChar c : keys) TypeChar(target, c);
    }
    dialogs::FolderListBox* Dir(const char* name) { return Find<dialogs::FolderListBox>(name); }
};

TEST_F(MainWindowTest, LoadingFillsThePagesInOrder) {
    Open();
    EXPECT_EQ(Text(window->windowTitle()).rfind(" Zorvex's  Movrand  v", 0), 0u);
    EXPECT_FALSE(window->windowIcon().isNull());  // the window manager shows the program's icon
    // A screen reader meets an application window, which it announces by its title.
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(window.get());
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Window);
    QComboBox* numbers = Combo("cbo(5)");
    ASSERT_EQ(numbers->count(), 99);
    EXPECT_EQ(Combo("cbo(3)")->itemData(5).toInt(), 6);  // Honda before Lotus
    EXPECT_EQ(Dir("dir(0)")->Path(), "C:\\sierra\\gpl");
    QComboBox* drivers = Combo("cbo(4)");
    EXPECT_EQ(Text(drivers->currentText()), "Bruce McLaren");
    // The help buttons are shown, cut to the book: the white ground around it is no part of them.
    for (const char* name : {"pic(0)", "pic(1)"}) {
        EXPECT_FALSE(Find(name)->isHidden()) << name;
        EXPECT_FALSE(Find(name)->mask().isEmpty()) << name;
        EXPECT_FALSE(Find(name)->mask().contains(QPoint(0, 0))) << name;
    }
    auto* tabs = Find<QTabWidget>("tabMovrand(0)");
    for (const char* page : {"cars-accessories", "car-folders", "find-add-ons", "gpl-directory"}) {
        SaveScreenshot(window.get(), QString("main-window-") + page);
        tabs->setCurrentIndex(tabs->currentIndex() + 1);
    }
}

// The window paints its first page before it makes the others. A handler that needs a control
// not made yet has the rest made at once, loaded as at the start.
TEST_F(MainWindowTest, PagesMadeAfterTheFirstPageLoadLikeIt) {
    window = std::make_unique<frmMovrand>(drive.Pv, drive.Ui);
    window->Form_Load();
    EXPECT_FALSE(window->FullyBuilt());
    EXPECT_EQ(window->findChild<QWidget*>("cmd(7)"), nullptr);
    ASSERT_NE(window->dir(3), nullptr);
    EXPECT_EQ(window->dir(3)->Path(), "C:\\sierra\\gpl");
    EXPECT_TRUE(window->chk(1)->isChecked());
    EXPECT_FALSE(Find("pic(0)")->isHidden());
}

// Stored folders come back (a vanished one is quietly left); No to the exit question keeps the
// window and saves nothing; Yes matches the drivers to their cars and saves the four settings.
TEST_F(MainWindowTest, StoredFoldersComeBackAndExitOnYesSavesThem) {
    drive.AddDrive('D', drive.Root() / "d");
    drive.Write("D:\\stored\\cars67\\x.txt", "x");
    drive.Write("C:\\addons\\one\\zorvexcar.zorvex", "[header]\r\n");
    for (auto [key, value] : {std::pair{platform::kAddOnsOnlyKey, "0"},
                              {platform::kCarManagerDirectoryKey, "C:\\addons\\one"},
                              {platform::kCarFolderKey, "D:\\stored"},
                              {platform::kAddOnCarFolderKey, "D:\\gone\\away"}})
        drive.Pv.Env.Settings.Save(platform::kSettingsApp, platform::kMovrandSection, key, value);
    Open();
    EXPECT_FALSE(Find<QCheckBox>("chk(1)")->isChecked());
    EXPECT_EQ(Dir("dir(0)")->Path(), "C:\\addons\\one");
    EXPECT_EQ(Dir("dir(2)")->Path(), "D:\\stored");
    EXPECT_EQ(Dir("dir(1)")->Path(), "D:\\");  // the vanished folder's drive
    EXPECT_TRUE(drive.Ui.Traps.empty() && drive.Ui.Messages.empty()) << drive.Ui.Transcript();

    drive.Ui.Answers = {false};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(drive.Ui.Questions.at(0).Message, "Do you wish to exit this program?");
    Dir("dir(0)")->SetPath("C:\\sierra\\gpl");
    EXPECT_EQ(Stored(platform::kCarManagerDirectoryKey), "C:\\addons\\one");
    drive.Ui.Answers = {true};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(Stored(platform::kAddOnsOnlyKey), "0");
    EXPECT_EQ(Stored(platform::kCarManagerDirectoryKey), "C:\\sierra\\gpl");
    // Bruce McLaren, Eagle number 8, now has his own copy of his car.
    EXPECT_EQ(drive.Read("C:\\sierra\\gpl\\cars\\cars67\\eagle\\McL8a.3do"), "model of car 8\r\n");
}

TEST_F(MainWindowTest, CarNumberBoxTypeAhead) {
    Open();
    QComboBox* numbers = Combo("cbo(5)");
    numbers->setEditText("5");
    numbers->lineEdit()->deselect();
    numbers->lineEdit()->setCursorPosition(1);
    Type(numbers, "1x");  // "x" begins no entry: nothing changes and it never reaches the box
    EXPECT_EQ(Text(numbers->currentText()), "51");
    EXPECT_TRUE(Find<QPushButton>("cmd(6)")->isEnabled());
    PressKey(numbers, Qt::Key_Backspace, "\b");  // the first entry instead of a deletion
    EXPECT_EQ(numbers->currentIndex(), 0);
    // Type-ahead in the driver list: the untyped rest stays highlighted.
    QComboBox* drivers = Combo("cbo(4)");
    drivers->lineEdit()->selectAll();
    Type(drivers, "ji");
    EXPECT_EQ(Text(drivers->lineEdit()->selectedText()), "m Clark");
    EXPECT_EQ(Text(numbers->currentText()), "12");  // his number, shown by the click
}

TEST_F(MainWindowTest, CarNumberSwapThroughTheWindow) {
    Open();
    QComboBox* numbers = Combo("cbo(5)");
    QPushButton* save = Find<QPushButton>("cmd(6)");
    Choose("cbo(4)", "Jim Clark");
    // The list opens on his number; closing it, or choosing his own number, offers no save.
    EXPECT_EQ(Text(numbers->itemText(numbers->currentIndex())), "12");
    numbers->showPopup();
    PressKey(numbers->view(), Qt::Key_Escape);
    Choose("cbo(5)", "12");
    EXPECT_FALSE(save->isEnabled());
    Choose("cbo(5)", "14");
    ASSERT_TRUE(save->isEnabled());
    Click(save);
    ASSERT_EQ(drive.Ui.Messages.size(), 1u) << drive.Ui.Transcript();
    EXPECT_EQ(drive.Ui.Messages[0].Text,
              "You have just assigned Car Number 14 to Jim Clark.\r\n"
              "This number had previously been assigned to Graham Hill.\r\n"
              "Graham Hill has been assigned Jim Clark's old number (12).");
    EXPECT_FALSE(save->isEnabled());
    EXPECT_FALSE(drive.Ui.IsBusy());
    // A stored number is shown as stored.
    Choose("cbo(4)", "Dan Gurney");
    EXPECT_EQ(Text(numbers->currentText()), "07");
    EXPECT_FALSE(save->isEnabled());
}

// A click that the window system hands over while the roster is being saved waits until the
// save is done: no handler starts in the middle of another.
TEST_F(MainWindowTest, AClickDuringARosterSaveWaitsUntilTheSaveIsDone) {
    struct QtEventsUi : ScriptedUi {
        explicit QtEventsUi(ProgramValues& pv) : qt(pv) {}
        void DoEvents() override { qt.DoEvents(); }
        dialogs::QtUi qt;
    } ui(drive.Pv);
    Open(&ui);
    Choose("cbo(4)", "Jim Clark");
    Choose("cbo(5)", "14");
    QWidget* removeMode = Find("cmd(3)");
    QWindow* screen = window->windowHandle();
    const QPointF at = removeMode->mapTo(window.get(), removeMode->rect().center());
    for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QWindowSystemInterface::handleMouseEvent(
            screen, at, screen->mapToGlobal(at),
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::LeftButton, type);
    Click(Find("cmd(6)"));
    EXPECT_EQ(ui.Messages.size(), 1u) << ui.Transcript();
    EXPECT_FALSE(Find("cbo(3)")->isVisible());  // still in Add mode
    QCoreApplication::processEvents();
    EXPECT_TRUE(Find("cbo(3)")->isVisible());  // the click, taken after the save
}

TEST_F(MainWindowTest, DriveThatIsNotReadyIsReportedAndTheFolderStays) {
    drive.AddDrive('E', drive.Root() / "no-medium", false);
    Open();
    auto* list = Find<dialogs::DriveListBox>("drv(0)");
    list->setCurrentIndex(list->findText("e:"));
    EXPECT_EQ(Dir("dir(0)")->Path(), "C:\\sierra\\gpl");
    ASSERT_EQ(drive.Ui.Traps.size(), 1u);
    EXPECT_EQ(drive.Ui.Traps[0].Text, "71\r\nDisk not ready");
}

}  // namespace
}  // namespace movrand::test
