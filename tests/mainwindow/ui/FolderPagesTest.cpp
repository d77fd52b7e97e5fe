// SPDX-License-Identifier: GPL-3.0-or-later
// The "Car Folders" and "GPL Directory" pages driven through the main window.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTabWidget>
#include <QThread>

#include "DemoInstallation.h"
#include "GameGuard.h"
#include "WindowFixture.h"
#include "carsets/CarSetWork.h"
#include "dialogs/ui/QtUi.h"
#include "dialogs/ui/frmProgressControls.h"
#include "dialogs/ui/frmYesNoControls.h"
#include "platform/FaultPlan.h"
#include "ui/ModalDriver.h"

namespace movrand::test {
namespace {

namespace progress = dialogs::frmProgressControls;

class FolderPagesTest : public WindowFixture {
  protected:
    void SetPath(int list, const char* path) {
        Find<dialogs::FolderListBox>("dir", list)->SetPath(path);
    }
    void Save(const char* name) {
        Find<QLineEdit>("txt", txt::kNewName)->setText(name);
        Click(Find("cmd", cmd::kSaveCarFolder));
    }
};

TEST_F(FolderPagesTest, NameBoxTakesOnlyLettersDigitsAndUnderscoreTypedOrPasted) {
    Open();
    auto* name = Find<QLineEdit>("txt", txt::kNewName);
    for (QChar c : QString("a-b.c d_1\\")) PressKey(name, Qt::Key_unknown, QString(c));
    EXPECT_EQ(name->text().toStdString(), "abcd_1");
    QGuiApplication::clipboard()->setText("  my car-67 (old)\\x");
    name->paste();
    EXPECT_EQ(name->text().toStdString(), "abcd_1mycar67oldx");
}

// Without a name nothing is asked or moved; with one the stored folder becomes live, and after
// every swap both folder lists show the folders as they are now (a moved-away source gives way
// to its parent).
TEST_F(FolderPagesTest, SaveSwapsTheLiveFolderAndTheListsFollow) {
    WriteCarFolder(drive.DriveC() / "stored" / "classic", "stored");
    const auto live = TreeOf(drive.Native("C:\\sierra\\gpl\\cars\\cars67"));
    const auto stored = TreeOf(drive.Native("C:\\stored\\classic"));
    Open();
    SetPath(dir::kSourceFolder, "C:\\stored\\classic");
    Save("");
    EXPECT_EQ(drive.Ui.Messages.at(0).Text,
              "Please enter the new name for the Current Car Folder.");
    EXPECT_EQ(window->focusWidget(), Find("txt", txt::kNewName));
    SetPath(dir::kDestinationFolder, "C:\\stored");
    drive.Ui.Answers = {true};
    Save("cars67_old");
    ASSERT_EQ(drive.Ui.Questions.size(), 1u) << drive.Ui.Transcript();
    EXPECT_EQ(TreeOf(drive.Native("C:\\sierra\\gpl\\cars\\cars67")), stored);
    EXPECT_EQ(TreeOf(drive.Native("C:\\stored\\cars67_old")), live);
    EXPECT_TRUE(Rows(Find<QListWidget>("dir", dir::kDestinationFolder)).contains("cars67_old"));
    Find<QRadioButton>("opt", opt::kMove)->setChecked(true);
    drive.Ui.Answers = {true};
    Save("cars67_second");
    EXPECT_EQ(TreeOf(drive.Native("C:\\stored\\cars67_second")), stored);
    EXPECT_EQ(Find<dialogs::FolderListBox>("dir", dir::kSourceFolder)->Path(), "C:\\stored");
    EXPECT_TRUE(Rows(Find<QListWidget>("dir", dir::kDestinationFolder)).contains("cars67_second"));
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
}

// A slow copy shows the progress window with its counts while the main window goes on painting.
TEST_F(FolderPagesTest, ALongCopyShowsItsProgressAndTheWindowKeepsPainting) {
    WriteCarFolder(drive.DriveC() / "stored" / "classic", "stored");
    const int files = static_cast<int>(TreeOf(drive.Native("C:\\stored\\classic")).size());
    dialogs::QtUi ui(drive.Pv);
    ui.SetProgressDelay(std::chrono::milliseconds(100));
    drive.Pv.Env.Faults = std::make_shared<platform::FaultPlan>();
    Open(&ui);
    SetPath(dir::kSourceFolder, "C:\\stored\\classic");
    SetPath(dir::kDestinationFolder, "C:\\stored");
    int paints = 0;
    QStringList counts;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        window->repaint();
        ++paints;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "frmProgress" && w->isVisible()) {
                counts << Control<QLabel>(w, "lbl", progress::lbl::kProgress)->text();
                EXPECT_EQ(Control<QProgressBar>(w, "prg", progress::prg::kBar)->maximum(), files);
                EXPECT_FALSE(Control<QLabel>(w, "lbl", progress::lbl::kFile)->text().isEmpty());
                SaveScreenshot(w, "frmProgress");
            }
    });
    WhenModal("frmYesNo", [&](QWidget* w) {
        drive.Pv.Env.Faults->DelayEach(std::chrono::milliseconds(40));
        look.start(60);
        Click(Control(w, "img", dialogs::frmYesNoControls::img::kYes));
    });
    Save("cars67_old");
    look.stop();
    ASSERT_FALSE(counts.isEmpty());
    EXPECT_EQ(counts.back(), QString("Copying files: %1 of %1").arg(files));
    EXPECT_GT(paints, 3);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->objectName() == "frmProgress" && w->isVisible());
}

// The live folder written as a set and changed by hand; the comparison lists it team by team
// with both codes, and the set is made live again from a stored copy after one question.
TEST_F(FolderPagesTest, CarSetIsExportedComparedByTeamAndMadeLive) {
    const std::string live = "C:\\sierra\\gpl\\cars\\cars67";
    const auto before = TreeOf(drive.Native(live));
    Open();
    Find<QTabWidget>("tabMovrand", tabMovrand::kPages)->setCurrentIndex(tab::kCarFolders);
    const std::string code = Text(Find<QLabel>("lbl", lbl::kLiveCarSetCode)->text()).substr(13);
    ASSERT_EQ(code.size(), 14u) << code;
    // A name a set cannot have is asked again; the live folder's name is offered first.
    // The picker offers the sets folder and a name of the set's name and code.
    drive.Ui.Texts = {"bad/name", "League 1967"};
    const std::string set = "C:\\sierra\\gpl\\carsets\\League_1967_" + code + ".carset";
    drive.Ui.Files = {set};
    Click(Find("cmd", cmd::kExportCarSet));
    EXPECT_NE(drive.Ui.Transcript().find("[cars67]"), std::string::npos) << drive.Ui.Transcript();
    EXPECT_EQ(drive.Ui.FilePickerCalls,
              std::vector<std::string>{"save:C:\\sierra\\gpl\\carsets\\|League_1967_" + code +
                                       ".carset|.carset|Export Car Set"});
    EXPECT_NE(drive.Read(set).find("name League 1967\n"), std::string::npos);
    ASSERT_EQ(drive.Ui.Messages.size(), 2u) << drive.Ui.Transcript();
    EXPECT_TRUE(drive.Ui.Messages[1].Text.ends_with("Its code: " + code));
    std::filesystem::copy(drive.Native(live), drive.Native("C:\\sierra\\gpl\\cars\\kept"),
                          std::filesystem::copy_options::recursive);
    drive.Write(live + "\\ferrari\\ferrari.dat", "changed");
    std::filesystem::remove(drive.Native(live + "\\LOTUS\\lotus.dat"));
    drive.Write(live + "\\brm\\brm.txt", "extra");
    SetPath(dir::kSourceFolder, "C:\\sierra\\gpl\\cars\\kept");
    EXPECT_TRUE(
        Text(Find<QLabel>("lbl", lbl::kLiveCarSetCode)->text()).ends_with("Chosen: " + code));
    drive.Ui.Files = {set};
    Click(Find("cmd", cmd::kCompareCarSet));
    const QStringList rows = {
        "brm: 0 missing, 0 different, 1 extra",     "    extra   brm\\brm.txt",
        "ferrari: 0 missing, 1 different, 0 extra", "    different   ferrari\\ferrari.dat",
        "LOTUS: 1 missing, 0 different, 0 extra",   "    missing   LOTUS\\lotus.dat"};
    EXPECT_EQ(Text(Rows(Find<QListWidget>("lst", lst::kCarSetDifferences)).join("|")),
              Text(rows.join("|")));
    const std::string summary = Text(Find<QLabel>("lbl", lbl::kCarSetComparison)->text());
    EXPECT_EQ(summary, "Set " + code + ": 1 missing, 1 different, 1 extra");
    EXPECT_NE(Text(Find<QLabel>("lbl", lbl::kLiveCarSetCode)->text()), "Live folder: " + code);
    ASSERT_TRUE(Find("cmd", cmd::kMakeCarSetLive)->isEnabled()) << drive.Ui.Transcript();
    Find("fra", fra::kCarFoldersPage)
        ->grab()
        .save(QString::fromStdString((drive.Root() / "car-set-compare.png").string()));
    drive.Ui.Answers = {true};
    Click(Find("cmd", cmd::kMakeCarSetLive));
    ASSERT_EQ(drive.Ui.Questions.size(), 1u) << drive.Ui.Transcript();
    EXPECT_NE(drive.Ui.Questions[0].Message.find("It changes 3 files"), std::string::npos);
    EXPECT_EQ(TreeOf(drive.Native(live)), before);
    EXPECT_TRUE(Text(Find<QLabel>("lbl", lbl::kLiveCarSetCode)->text())
                    .starts_with("Live folder: " + code));
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
}

// The stored car folders of the source list show their codes beside their names, worked out
// beside the window; a folder that is no car folder shows none.
TEST_F(FolderPagesTest, StoredFoldersShowTheirCodesInTheList) {
    WriteCarFolder(drive.DriveC() / "stored" / "classic", "classic");
    WriteCarFolder(drive.DriveC() / "stored" / "modern", "modern");
    std::filesystem::create_directories(drive.DriveC() / "stored" / "notes");
    Open();
    Find<QTabWidget>("tabMovrand", tabMovrand::kPages)->setCurrentIndex(tab::kCarFolders);
    SetPath(dir::kSourceFolder, "C:\\stored");
    const auto* worker = window->findChild<mainwindow::FolderCodeWorker*>();
    ASSERT_NE(worker, nullptr);
    // The codes come from the worker's own thread: wait for them by the clock, not by turns of
    // the event loop, which pass at once when nothing has come yet.
    const QDeadlineTimer deadline(30000);
    while (worker->Busy() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    ASSERT_FALSE(worker->Busy());
    QStringList rows = {"C:\\", "stored"};
    for (const char* name : {"classic", "modern"})
        rows << QString(name) + "   " +
                    QString::fromStdString(
                        carsets::SetOfFolder(drive.Pv, drive.Ui, "C:\\stored\\" + std::string(name))
                            ->Code);
    rows << "notes";
    EXPECT_EQ(Text(Rows(Find<QListWidget>("dir", dir::kSourceFolder)).join("|")),
              Text(rows.join("|")));
    EXPECT_NE(rows[2].mid(10), rows[3].mid(9));
    SaveScreenshot(Find("fra", fra::kCarFoldersPage), "car-folders-codes");
}

TEST_F(FolderPagesTest, SaveOnGplDirectorySwitchesAndRefreshesThePages) {
    demo::MakeGplInstallation(drive.DriveC() / "gpl2");
    std::string roster = drive.Read("C:\\gpl2\\driver.ini");
    roster.replace(roster.find("first_name = Bruce"), 18, "first_name = Aaron");
    drive.Write("C:\\gpl2\\driver.ini", roster);
    drive.Pv.Env.WinePrefix = drive.Root() / std::string(150, 'p') / "prefix";
    std::filesystem::create_directories(drive.Pv.Env.WinePrefix);
    Open();
    SetPath(dir::kAlternateInstallation, "C:\\gpl2");
    drive.Ui.Answers = {true};
    Click(Find("cmd", cmd::kSaveGplDirectory));
    EXPECT_EQ(Find<QLabel>("lbl", lbl::kCurrentInstallation)->text().toStdString(), "  C:\\gpl2\\");
    // The prefix under it is shortened in its middle, never cut; the whole is its tooltip.
    EXPECT_TRUE(Find<QLabel>("lbl", lbl::kCurrentPrefix)->text().endsWith("/prefix"));
    EXPECT_EQ(Text(Find<QLabel>("lbl", lbl::kCurrentPrefix)->toolTip()),
              "in the Wine prefix " + drive.Pv.Env.WinePrefix.string());
    Find("fra", fra::kGplDirectoryPage)
        ->grab()
        .save(QString::fromStdString((drive.Root() / "gpl-directory.png").string()));
    EXPECT_EQ(Combo(cbo::kDrivers)->currentText().toStdString(), "Aaron McLaren");
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
}

}  // namespace
}  // namespace movrand::test
