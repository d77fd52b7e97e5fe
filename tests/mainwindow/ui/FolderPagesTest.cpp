// The "Car Folders" and "GPL Directory" pages driven through the main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QTimer>
#include <memory>

#include "DemoInstallation.h"
#include "GameGuard.h"
#include "TempDrive.h"
#include "WindowFixture.h"
#include "dialogs/ui/QtUi.h"
#include "mainwindow/ui/ControlSetup.h"
#include "mainwindow/ui/frmMovrand.h"
#include "platform/FaultPlan.h"
#include "ui/SimulatedInput.h"
#include "ui/WidgetTexts.h"

namespace movrand::test {
namespace {

using mainwindow::frmMovrand;
using mainwindow::PlaceOf;

using FolderPagesTest = WindowFixture;

// Counts the paint events a widget receives.
struct PaintCounter : QObject {
    PaintCounter(QWidget* w, int& n) : count(n) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++count;
        return false;
    }
    int& count;
};

TEST_F(FolderPagesTest, NameBoxTakesOnlyLettersDigitsAndUnderscore) {
    Open();
    auto* name = Find<QLineEdit>("txt(0)");
    name->setFocus();
    for (QChar c : QString("a-b.c d_1\\")) PressKey(name, Qt::Key_unknown, QString(c));
    EXPECT_EQ(name->text().toStdString(), "abcd_1");
    // Pasted text keeps what a typed key could have put there.
    QGuiApplication::clipboard()->setText("  my car-67 (old)\\x");
    name->paste();
    EXPECT_EQ(name->text().toStdString(), "abcd_1mycar67oldx");
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
    // Both lists show the folders as they are now; a moved-away source gives way to its parent.
    EXPECT_TRUE(Rows(Find<QListWidget>("dir(2)")).contains("cars67_old"));
    Find<QRadioButton>("opt(0)")->setChecked(true);
    Find<QLineEdit>("txt(0)")->setText("cars67_second");
    drive.Ui.Answers = {true};
    Click(Find("cmd(0)"));
    EXPECT_EQ(TreeOf(drive.Native("C:\\stored\\cars67_second")), stored);
    EXPECT_EQ(Find<dialogs::FolderListBox>("dir(1)")->Path(), "C:\\stored");
    EXPECT_TRUE(Rows(Find<QListWidget>("dir(2)")).contains("cars67_second"));
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
}

// A slow copy shows the progress window with its counts while the main window goes on painting;
// the question before and nothing after stay as they were.
TEST_F(FolderPagesTest, ALongCopyShowsItsProgressAndTheWindowKeepsPainting) {
    WriteCarFolder(drive.DriveC() / "stored" / "classic", "stored");
    const int files = static_cast<int>(TreeOf(drive.Native("C:\\stored\\classic")).size());
    dialogs::QtUi ui(drive.Pv);
    ui.SetProgressDelay(std::chrono::milliseconds(100));
    drive.Pv.Env.Faults = std::make_shared<platform::FaultPlan>();
    Open(&ui);
    Find<dialogs::FolderListBox>("dir(1)")->SetPath("C:\\stored\\classic");
    Find<dialogs::FolderListBox>("dir(2)")->SetPath("C:\\stored");
    Find<QLineEdit>("txt(0)")->setText("cars67_old");
    int paints = 0;
    QStringList counts;
    PaintCounter counter(window.get(), paints);
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        window->update();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "frmProgress" && w->isVisible()) {
                counts << Control<QLabel>(w, "lbl(0)")->text();
                EXPECT_EQ(Control<QProgressBar>(w, "prg(0)")->maximum(), files);
                EXPECT_FALSE(Control<QLabel>(w, "lbl(1)")->text().isEmpty());
                SaveScreenshot(w, "frmProgress");
            }
    });
    WhenModal("frmYesNo", [&](QWidget* w) {
        drive.Pv.Env.Faults->DelayEach(std::chrono::milliseconds(40));
        look.start(60);
        paints = 0;
        Click(Control(w, "img(0)"));
    });
    Click(Find("cmd(0)"));
    look.stop();
    drive.Pv.Env.Faults->DelayEach(std::chrono::milliseconds(0));
    ASSERT_FALSE(counts.isEmpty());
    EXPECT_EQ(counts.back(), QString("Copying files: %1 of %1").arg(files));
    EXPECT_GT(paints, 1);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->objectName() == "frmProgress" && w->isVisible());
    EXPECT_EQ(TreeOf(drive.Native("C:\\sierra\\gpl\\cars\\cars67")),
              TreeOf(drive.Native("C:\\stored\\classic")));
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
