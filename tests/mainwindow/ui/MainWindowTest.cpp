// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <qpa/qwindowsysteminterface.h>
#include <QAccessible>
#include <QLabel>
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
    dialogs::FolderListBox* Dir(int index) { return Find<dialogs::FolderListBox>("dir", index); }
};

TEST_F(MainWindowTest, LoadingFillsThePagesInOrder) {
    Open();
    EXPECT_EQ(Text(window->windowTitle()).rfind(" Zorvex's  Movrand  v", 0), 0u);
    EXPECT_FALSE(window->windowIcon().isNull());  // the window manager shows the program's icon
    // A screen reader meets an application window, which it announces by its title.
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(window.get());
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Window);
    QComboBox* numbers = Combo(cbo::kCarNumbers);
    ASSERT_EQ(numbers->count(), 99);
    EXPECT_EQ(Combo(cbo::kTeams)->itemData(5).toInt(), 6);  // Honda before Lotus
    EXPECT_EQ(Dir(dir::kAddOnFolder)->Path(), "C:\\sierra\\gpl");
    QComboBox* drivers = Combo(cbo::kDrivers);
    EXPECT_EQ(Text(drivers->currentText()), "Bruce McLaren");
    // Screen readers name the roster's lists by what they are for and read their value.
    for (auto [box, name, value] :
         {std::tuple{drivers, "Driver", "Bruce McLaren"}, {numbers, "Car No.", "8"}}) {
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(box);
        EXPECT_EQ(Text(list->text(QAccessible::Name)), name);
        EXPECT_EQ(Text(list->text(QAccessible::Value)), value);
        EXPECT_EQ(list->role(), QAccessible::ComboBox);
    }
    // The help buttons are shown, cut to the book: the white ground around it is no part of them.
    for (int help : {pic::kRemoveModeHelp, pic::kAddModeHelp}) {
        EXPECT_FALSE(Find("pic", help)->isHidden()) << help;
        EXPECT_FALSE(Find("pic", help)->mask().isEmpty()) << help;
        EXPECT_FALSE(Find("pic", help)->mask().contains(QPoint(0, 0))) << help;
    }
    // What a click opens shows the hand pointer, on both panels.
    for (auto [kind, index] : {std::pair{"lbl", lbl::kZorvex},
                               {"lbl", lbl::kMovrand},
                               {"lbl", lbl::kMovrandShade},
                               {"pic", pic::kAddModeHelp},
                               {"lbl", lbl::kHalvane},
                               {"lbl", lbl::kHalvaneShade},
                               {"pic", pic::kRemoveModeHelp}}) {
        const QCursor pointer = Find(kind, index)->cursor();
        EXPECT_EQ(pointer.shape(), Qt::BitmapCursor) << kind << index;
        EXPECT_FALSE(pointer.pixmap().isNull()) << kind << index;
    }
    auto* tabs = Find<QTabWidget>("tabMovrand", tabMovrand::kPages);
    for (const char* page : {"cars-accessories", "car-folders", "find-add-ons", "gpl-directory"}) {
        SaveScreenshot(window.get(), QString("main-window-") + page);
        tabs->setCurrentIndex(tabs->currentIndex() + 1);
    }
}

// At start a screen reader finds where the player is: following the focus down the
// accessibility tree from the window ends on the current page tab, focused and named.
TEST_F(MainWindowTest, AtStartTheFocusIsOnTheCurrentPageTabByItsName) {
    Open();
    QAccessibleInterface* focus = QAccessible::queryAccessibleInterface(window.get());
    // Down to the control that has the focus itself: it answers with itself, or with nothing.
    for (int depth = 0; focus && depth < 20; ++depth) {
        QAccessibleInterface* next = focus->focusChild();
        if (!next || next == focus) break;
        focus = next;
    }
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->role(), QAccessible::PageTab);
    EXPECT_TRUE(focus->state().focused);
    EXPECT_EQ(Text(focus->text(QAccessible::Name)), "Cars / Accessories");
    EXPECT_EQ(QApplication::focusWidget(),
              Find<QTabWidget>("tabMovrand", tabMovrand::kPages)->tabBar());
}

// The first page is made with the window's font as the application's default, so that its
// controls lay out nothing in a face the window never shows; other windows keep their fonts, the
// application's and those the desktop gives to kinds of controls.
TEST_F(MainWindowTest, MakingTheWindowLeavesTheApplicationsFontsAsTheyWere) {
    const QFont application = QApplication::font();
    QFont kind = application;
    kind.setPointSize(application.pointSize() + 5);
    QApplication::setFont(kind, "MovrandTestKind");
    Open();
    EXPECT_EQ(QApplication::font(), application);
    EXPECT_EQ(QApplication::font("MovrandTestKind").pointSize(), kind.pointSize());
    EXPECT_EQ(window->font().pointSize(), 8);
    for (int box : {cbo::kAddOnFiles, cbo::kDrivers, cbo::kCarNumbers})
        EXPECT_EQ(Combo(box)->lineEdit()->font(), window->font()) << box;
    EXPECT_EQ(Find<QLabel>("lbl", lbl::kMovrand)->font().pointSize(), 15);
    EXPECT_EQ(Find<QLabel>("lbl", lbl::kCarNumberHeading)->font(), window->font());
}

// The window paints its first page before it makes the others. A handler that needs a control
// not made yet has the rest made at once, loaded as at the start.
TEST_F(MainWindowTest, PagesMadeAfterTheFirstPageLoadLikeIt) {
    window = std::make_unique<frmMovrand>(drive.Pv, drive.Ui);
    window->Form_Load();
    EXPECT_FALSE(window->FullyBuilt());
    EXPECT_EQ(window->findChild<QWidget*>(Named("cmd", cmd::kSaveGplDirectory)), nullptr);
    ASSERT_NE(window->dir(dir::kAlternateInstallation), nullptr);
    EXPECT_EQ(window->dir(dir::kAlternateInstallation)->Path(), "C:\\sierra\\gpl");
    EXPECT_TRUE(window->chk(chk::kAddOnsOnly)->isChecked());
    EXPECT_FALSE(Find("pic", pic::kRemoveModeHelp)->isHidden());
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
    EXPECT_FALSE(Find<QCheckBox>("chk", chk::kAddOnsOnly)->isChecked());
    EXPECT_EQ(Dir(dir::kAddOnFolder)->Path(), "C:\\addons\\one");
    EXPECT_EQ(Dir(dir::kDestinationFolder)->Path(), "D:\\stored");
    EXPECT_EQ(Dir(dir::kSourceFolder)->Path(), "D:\\");  // the vanished folder's drive
    EXPECT_TRUE(drive.Ui.Traps.empty() && drive.Ui.Messages.empty()) << drive.Ui.Transcript();

    drive.Ui.Answers = {false};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(drive.Ui.Questions.at(0).Message, "Do you wish to exit this program?");
    Dir(dir::kAddOnFolder)->SetPath("C:\\sierra\\gpl");
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
    QComboBox* numbers = Combo(cbo::kCarNumbers);
    numbers->setEditText("5");
    numbers->lineEdit()->deselect();
    numbers->lineEdit()->setCursorPosition(1);
    Type(numbers, "1x");  // "x" begins no entry: nothing changes and it never reaches the box
    EXPECT_EQ(Text(numbers->currentText()), "51");
    EXPECT_TRUE(Find<QPushButton>("cmd", cmd::kSaveCarNumber)->isEnabled());
    PressKey(numbers, Qt::Key_Backspace, "\b");  // the first entry instead of a deletion
    EXPECT_EQ(numbers->currentIndex(), 0);
    // Type-ahead in the driver list: the untyped rest stays highlighted.
    QComboBox* drivers = Combo(cbo::kDrivers);
    drivers->lineEdit()->selectAll();
    Type(drivers, "ji");
    EXPECT_EQ(Text(drivers->lineEdit()->selectedText()), "m Clark");
    EXPECT_EQ(Text(numbers->currentText()), "12");  // his number, shown by the click
}

TEST_F(MainWindowTest, CarNumberSwapThroughTheWindow) {
    Open();
    QComboBox* numbers = Combo(cbo::kCarNumbers);
    QPushButton* save = Find<QPushButton>("cmd", cmd::kSaveCarNumber);
    Choose(cbo::kDrivers, "Jim Clark");
    // The list opens on his number; closing it, or choosing his own number, offers no save.
    EXPECT_EQ(Text(numbers->itemText(numbers->currentIndex())), "12");
    numbers->showPopup();
    PressKey(numbers->view(), Qt::Key_Escape);
    Choose(cbo::kCarNumbers, "12");
    EXPECT_FALSE(save->isEnabled());
    Choose(cbo::kCarNumbers, "14");
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
    Choose(cbo::kDrivers, "Dan Gurney");
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
    Choose(cbo::kDrivers, "Jim Clark");
    Choose(cbo::kCarNumbers, "14");
    QWidget* removeMode = Find("cmd", cmd::kRemoveMode);
    QWindow* screen = window->windowHandle();
    const QPointF at = removeMode->mapTo(window.get(), removeMode->rect().center());
    for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QWindowSystemInterface::handleMouseEvent(
            screen, at, screen->mapToGlobal(at),
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::LeftButton, type);
    Click(Find("cmd", cmd::kSaveCarNumber));
    EXPECT_EQ(ui.Messages.size(), 1u) << ui.Transcript();
    EXPECT_FALSE(Find("cbo", cbo::kTeams)->isVisible());  // still in Add mode
    QCoreApplication::processEvents();
    EXPECT_TRUE(Find("cbo", cbo::kTeams)->isVisible());  // the click, taken after the save
}

TEST_F(MainWindowTest, DriveThatIsNotReadyIsReportedAndTheFolderStays) {
    drive.AddDrive('E', drive.Root() / "no-medium", false);
    Open();
    auto* list = Find<dialogs::DriveListBox>("drv", drv::kAddOnFolder);
    list->setCurrentIndex(list->findText("e:"));
    EXPECT_EQ(Dir(dir::kAddOnFolder)->Path(), "C:\\sierra\\gpl");
    ASSERT_EQ(drive.Ui.Traps.size(), 1u);
    EXPECT_EQ(drive.Ui.Traps[0].Text, "71\r\nDisk not ready");
}

}  // namespace
}  // namespace movrand::test
