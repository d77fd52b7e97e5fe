// SPDX-License-Identifier: GPL-3.0-or-later
// The "History" page driven through the main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTabWidget>
#include <QTreeWidget>
#include <fstream>

#include "../../addons/AddOnFixture.h"
#include "FileSnapshot.h"
#include "GameGuard.h"
#include "WindowFixture.h"
#include "addons/InstalledItems.h"
#include "folders/CarFolderSwap.h"
#include "history/HistoryPlace.h"
#include "history/HistoryRestore.h"
#include "history/HistoryStep.h"
#include "history/RestoreJournal.h"
#include "roster/CarNumbers.h"
#include "roster/TeamTable.h"
#include "ui/SimulatedInput.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

class HistoryPageTest : public WindowFixture {
  protected:
    // The list of what the step changed (0) and of what a restore to it changes (1).
    QTreeWidget* Pane(int part = 0) { return Find<QTreeWidget>("tvw", part); }
    std::string Heading(int part = 0) { return Text(Find<QLabel>("tvwHeading", part)->text()); }
    // The pane's lines as "folder" and "  what | before | after | path" rows.
    std::string Lines(int part = 0) {
        std::string text;
        for (int g = 0; g < Pane(part)->topLevelItemCount(); ++g) {
            const QTreeWidgetItem* group = Pane(part)->topLevelItem(g);
            text += Text(group->text(0)) + "\n";
            for (int i = 0; i < group->childCount(); ++i)
                text += "  " + Text(group->child(i)->text(0)) + " | " +
                        Text(group->child(i)->text(1)) + " | " + Text(group->child(i)->text(2)) +
                        " | " + Text(group->child(i)->text(3)) + "\n";
        }
        return text;
    }
    void ShowHistoryPage() {
        Find<QTabWidget>("tabMovrand", tabMovrand::kPages)->setCurrentIndex(tab::kHistory);
    }
};

// A swap is a step; the page lists it, "Check for Changes" names a file changed by hand since,
// and "Undo Last" asks with how many files it changes and puts the live car folder back.
TEST_F(HistoryPageTest, CheckNamesAFileChangedByHandAndUndoLastPutsASwapBack) {
    WriteCarFolder(drive.DriveC() / "stored" / "classic", "stored");
    const auto liveFolder = drive.Native("C:\\sierra\\gpl\\cars\\cars67");
    const auto live = TreeOf(liveFolder);
    Open();
    Find<dialogs::FolderListBox>("dir", dir::kSourceFolder)->SetPath("C:\\stored\\classic");
    Find<dialogs::FolderListBox>("dir", dir::kDestinationFolder)->SetPath("C:\\stored");
    Find<QLineEdit>("txt", txt::kNewName)->setText("cars67_old");
    drive.Ui.Answers = {true};
    Click(Find("cmd", cmd::kSaveCarFolder));
    ASSERT_NE(TreeOf(liveFolder), live) << drive.Ui.Transcript();

    Find<QTabWidget>("tabMovrand", tabMovrand::kPages)->setCurrentIndex(tab::kHistory);
    auto* steps = Find<QListWidget>("lst", lst::kHistorySteps);
    ASSERT_EQ(steps->count(), 2) << drive.Ui.Transcript();  // the swap and "before Movrand"
    EXPECT_TRUE(steps->item(0)->text().startsWith("1   ")) << Text(steps->item(0)->text());
    EXPECT_FALSE(Find("cmd", cmd::kRestoreToHere)->isEnabled());  // the state it is in now
    EXPECT_TRUE(
        Text(Find<QLabel>("lbl", lbl::kHistorySize)->text()).starts_with("The history takes"));
    Find("fra", fra::kHistoryPage)
        ->grab()
        .save(QString::fromStdString((drive.Root() / "history.png").string()));

    // Nothing changed by hand yet; then a file of the swapped-in folder is. The check tells it
    // in the list beside the steps, not in a message window.
    Click(Find("cmd", cmd::kCheckForChanges));
    EXPECT_EQ(Heading(), "No file was changed since Movrand last touched it.");
    const std::string changed = TreeOf(liveFolder).begin()->first;
    std::ofstream(liveFolder / changed, std::ios::app) << "by hand";
    Click(Find("cmd", cmd::kCheckForChanges));
    EXPECT_TRUE(drive.Ui.Messages.empty()) << drive.Ui.Transcript();
    EXPECT_NE(Lines().find(changed.substr(changed.find('/') + 1)), std::string::npos) << Lines();

    // The undo asks first, then about the file changed by hand, and puts the live folder back.
    const auto beforeUndo = TreeOf(liveFolder);
    drive.Ui.Answers = {true, true};
    Click(Find("cmd", cmd::kUndoLast));
    ASSERT_EQ(drive.Ui.Questions.size(), 3u) << drive.Ui.Transcript();
    EXPECT_TRUE(drive.Ui.Questions[1].Message.starts_with("Undo step 1 ("))
        << drive.Ui.Transcript();
    EXPECT_TRUE(drive.Ui.Questions[1].Message.ends_with(" It changes 7 files and 9 folders."))
        << drive.Ui.Questions[1].Message;
    EXPECT_EQ(Differences(TreeOf(liveFolder), live), "") << drive.Ui.Transcript();
    ASSERT_EQ(steps->count(), 3);
    EXPECT_TRUE(steps->item(0)->text().endsWith("Undid step 1")) << Text(steps->item(0)->text());
    EXPECT_TRUE(steps->item(1)->text().endsWith("   (undone by step 2)"))
        << Text(steps->item(1)->text());
    EXPECT_EQ(steps->currentRow(), 1);                       // still on the step that was chosen
    EXPECT_FALSE(Find("cmd", cmd::kUndoLast)->isEnabled());  // nothing left to undo

    // "Restore to Here" on the swap's step takes the undo back: the folder as it was before it,
    // the change by hand included.
    steps->setCurrentItem(steps->findItems("1   ", Qt::MatchStartsWith).at(0));
    drive.Ui.Answers = {true};
    Click(Find("cmd", cmd::kRestoreToHere));
    EXPECT_TRUE(
        drive.Ui.Questions.back().Message.starts_with("Restore the installation as it "
                                                      "was after step 1 ("));
    EXPECT_EQ(Differences(TreeOf(liveFolder), beforeUndo), "") << drive.Ui.Transcript();
    EXPECT_TRUE(steps->item(0)->text().endsWith("Restored to step 1"));
    EXPECT_TRUE(steps->currentItem()->text().startsWith("1   "))
        << Text(steps->currentItem()->text());
    EXPECT_TRUE(Find("cmd", cmd::kUndoLast)->isEnabled());
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
}

// Selecting a step lists what it changed beside the steps, by team folder, with sizes: an
// install, a car number and a swap. The list fits the page, Tab reaches it and it reads whole.
TEST_F(HistoryPageTest, TheSelectedStepsFilesAreListedByTeamFolder) {
    PrepareAddOns(drive);
    drive.Ui.DefaultAnswer = true;
    ASSERT_EQ(InstallEntry(drive, kClassic, "Ferrari 312"), InstallOutcome::Installed);
    AssignCarNumber(drive.Pv, drive.Ui, 1, "12");
    WriteCarFolder(drive.DriveC() / "stored" / "classic", "stored");
    SwapCarFolder(drive.Pv, drive.Ui, {"C:\\stored\\classic", "C:\\stored", "old", false, true});
    Open();
    ShowHistoryPage();
    auto* steps = Find<QListWidget>("lst", lst::kHistorySteps);
    ASSERT_EQ(steps->count(), 4) << drive.Ui.Transcript();
    const struct {
        int row;
        const char* heading;
        std::vector<std::string> lines;
    } rows[] = {
        {2,
         "Step 1 (Installed Ferrari 312 (complete car) into Ferrari) changed 17 files and 2 "
         "folders.",
         {"C:\\sierra\\gpl\\cars\\cars67\\ferrari\n",
          "  replaced | 16 bytes | 23 bytes | C:\\sierra\\gpl\\cars\\cars67\\ferrari\\fer9.3do\n",
          "  created |  | 45 bytes | C:\\sierra\\gpl\\cars\\cars67\\ferrari\\zorvexcardesc.zorvex\n"}},
        {1,
         "Step 2 (Car number 12 given to Jack Brabham) changed 1 file.",
         {"C:\\sierra\\gpl\n  replaced | "}},
        {0,
         "Step 3 (Car folder swap: classic made live, the old one renamed old) changed 2 folders.",
         {"  moved to C:\\stored\\old |  |  | C:\\sierra\\gpl\\cars\\cars67\n"}},
    };
    for (const auto& row : rows) {
        steps->setCurrentRow(row.row);
        EXPECT_EQ(Heading(), row.heading);
        for (const std::string& line : row.lines)
            EXPECT_NE(Lines().find(line), std::string::npos) << line << "in\n" << Lines();
    }
    // Tab goes from the steps to the list of changes, whose lines read whole.
    window->activateWindow();
    steps->setFocus();
    PressKey(steps, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Pane());
    const QTreeWidgetItem* line = Pane()->topLevelItem(0)->child(0);
    EXPECT_TRUE(Text(line->data(0, Qt::AccessibleTextRole).toString()).starts_with("moved to "))
        << Text(line->data(0, Qt::AccessibleTextRole).toString());
    const QRect page = Find("fra", fra::kHistoryPage)->rect();
    for (QWidget* control : {static_cast<QWidget*>(Pane()), Find("cmd", cmd::kCheckForChanges)})
        EXPECT_TRUE(page.contains(
            QRect(control->mapTo(Find("fra", fra::kHistoryPage), QPoint()), control->size())));
    steps->setCurrentRow(2);
    Find("fra", fra::kHistoryPage)
        ->grab()
        .save(QString::fromStdString((drive.Root() / "history-step.png").string()));
}

// A car number given and taken back cancel out: "Restore to Here" asks with the count of what
// the restore really changes, and the list shows those files before the answer.
TEST_F(HistoryPageTest, TheRestoreQuestionCountsOnlyWhatReallyChanges) {
    PrepareAddOns(drive);
    ASSERT_EQ(InstallEntry(drive, kClassic, "Ferrari 312"), InstallOutcome::Installed);
    AssignCarNumber(drive.Pv, drive.Ui, 1, "12");
    drive.Ui.DefaultAnswer = true;
    ASSERT_EQ(history::CarryOut(drive.Pv, drive.Ui, history::PlanUndo(drive.Pv)).Outcome,
              history::RestoreOutcome::Done);
    Open();
    ShowHistoryPage();
    auto* steps = Find<QListWidget>("lst", lst::kHistorySteps);
    steps->setCurrentRow(steps->count() - 1);  // before Movrand
    const std::string preview = Lines(1);
    const std::string heading =
        "Restoring the installation before Movrand changed it changes 17 files and 2 folders.";
    EXPECT_EQ(Heading(1), heading);
    drive.Ui.Answers = {false};
    Click(Find("cmd", cmd::kRestoreToHere));
    ASSERT_FALSE(drive.Ui.Questions.empty()) << drive.Ui.Transcript();
    EXPECT_EQ(drive.Ui.Questions.back().Message,
              "Restore the installation before Movrand changed it? It changes 17 files and 2 "
              "folders.");
    EXPECT_EQ(Heading(1), heading);
    EXPECT_EQ(Lines(1), preview);
    EXPECT_EQ(Lines(1).find("driver.ini"), std::string::npos) << Lines(1);
    EXPECT_NE(Lines(1).find("  deleted | 45 bytes |  | " + Ferrari("zorvexcardesc.zorvex")),
              std::string::npos)
        << Lines(1);
}

// In a history of 300 steps the selection shows at once what a restore to its step would
// change, counted as the restore's question counts it; that question then names every file
// changed by hand since, however many.
TEST_F(HistoryPageTest, TheRestorePreviewFollowsTheSelectionInALongHistory) {
    const auto file = [](int n) { return "C:\\sierra\\gpl\\many\\f" + std::to_string(n) + ".txt"; };
    // Two steps recorded, each adding a file; the others written as copies of the second.
    for (int n = 0; n < 2; ++n) {
        history::HistoryStep step(drive.Pv, "Added file " + std::to_string(n));
        platform::FileSystem files = drive.Pv.Files();  // watched by the step
        if (n == 0) files.CreateFolder("C:\\sierra\\gpl\\many");
        files.WriteWholeFile(file(n), "x");
        ASSERT_EQ(step.Commit(), n + 1);
    }
    history::HistoryPlace place(drive.Pv);
    const history::Step second = place.ReadStep(2);
    ASSERT_EQ(second.Changes.size(), 1u);
    std::string index = drive.Read(place.Index());
    for (int n = 2; n < 300; ++n) {
        drive.Write(file(n), "x");
        history::Step step = second;
        step.Number = n + 1;
        step.Summary = "Added file " + std::to_string(n);
        step.Changes[0].Path = file(n);
        place.Files().WriteWholeFile(place.StepFile(n + 1), history::StepText(step));
        index += history::IndexLine(step) + "\n";
    }
    place.Files().WriteWholeFile(place.Index(), index);
    for (int n = 275; n < 300; ++n) drive.Write(file(n), "by hand");
    Open();
    ShowHistoryPage();
    auto* steps = Find<QListWidget>("lst", lst::kHistorySteps);
    ASSERT_EQ(steps->count(), 301);
    const struct {
        int row;
        std::string heading;
    } rows[] = {
        {0, "The installation is as this step left it: a restore to it changes nothing."},
        {300,
         "Restoring the installation before Movrand changed it changes 300 files and 1 "
         "folder."},
        {1,
         "Restoring the installation as it was after step 299 (Added file 298) changes 1 "
         "file."},
        {150,
         "Restoring the installation as it was after step 150 (Added file 149) changes 150 "
         "files."},
    };
    for (const auto& row : rows) {
        QElapsedTimer timer;
        timer.start();
        steps->setCurrentRow(row.row);
        EXPECT_LT(timer.elapsed(), 400) << row.row;
        EXPECT_EQ(Heading(1), row.heading);
    }
    SaveScreenshot(Find("fra", fra::kHistoryPage), "history-restore-preview");
    drive.Ui.Answers = {true, false};
    Click(Find("cmd", cmd::kRestoreToHere));
    ASSERT_EQ(drive.Ui.Questions.size(), 2u) << drive.Ui.Transcript();
    EXPECT_TRUE(drive.Ui.Questions[0].Message.ends_with(" It changes 150 files."))
        << drive.Ui.Questions[0].Message;
    for (int n = 275; n < 300; ++n)
        EXPECT_NE(drive.Ui.Questions[1].Message.find("changed: " + file(n)), std::string::npos)
            << n;
    EXPECT_EQ(drive.Read(file(299)), "by hand");
    // Over its limit (a named step kept on a No), the page says so.
    place.SetLimit(1);
    Find<QTabWidget>("tabMovrand", tabMovrand::kPages)->setCurrentIndex(tab::kGplDirectory);
    ShowHistoryPage();
    EXPECT_NE(Text(Find<QLabel>("lbl", lbl::kHistorySize)->text())
                  .find(", over its limit of 1 bytes (300 steps)."),
              std::string::npos);
}

// "Check for Changes" lists in the pane, not in a message window, a file changed by hand, one
// added where a step had removed it and one removed that a step had made.
TEST_F(HistoryPageTest, TheCheckListsChangedAddedAndMissingFiles) {
    PrepareAddOns(drive);
    drive.Ui.DefaultAnswer = true;
    ASSERT_EQ(InstallEntry(drive, kClassic, "Ferrari 312"), InstallOutcome::Installed);
    ASSERT_EQ(InstallEntry(drive, kClassic, "Red Wheels"), InstallOutcome::Installed);
    int ferrari = 0;
    while (TeamsInListOrder()[static_cast<std::size_t>(ferrari)].Folder != "ferrari") ++ferrari;
    RemoveAddOnFiles(drive.Pv, drive.Ui, ferrari, "Red Wheels");
    drive.Write(Ferrari("fer9.3do"), "painted by hand");
    drive.Write(Ferrari("wheels.mip"), "mine");
    fs::remove(drive.Native(Ferrari("zorvexcardesc.zorvex")));
    Open();
    ShowHistoryPage();
    drive.Ui.Messages.clear();
    Click(Find("cmd", cmd::kCheckForChanges));
    EXPECT_TRUE(drive.Ui.Messages.empty()) << drive.Ui.Transcript();
    EXPECT_EQ(Heading(), "3 files changed since Movrand last touched them.");
    EXPECT_EQ(Lines(), std::string(kFerrari) + "\n  changed |  |  | " + Ferrari("fer9.3do") +
                           "\n  added |  |  | " + Ferrari("wheels.mip") + "\n  missing |  |  | " +
                           Ferrari("zorvexcardesc.zorvex") + "\n");
    EXPECT_EQ(QApplication::focusWidget(), Pane());
}

// An installation Movrand never changed shows the state before it, which is the one it is in:
// nothing to undo or restore to.
TEST_F(HistoryPageTest, WithoutStepsThePageShowsTheStateBeforeMovrand) {
    Open();
    Find<QTabWidget>("tabMovrand", tabMovrand::kPages)->setCurrentIndex(tab::kHistory);
    auto* steps = Find<QListWidget>("lst", lst::kHistorySteps);
    ASSERT_EQ(steps->count(), 1) << drive.Ui.Transcript();
    EXPECT_EQ(Text(steps->item(0)->text()), "0   Before Movrand changed this installation");
    EXPECT_EQ(Text(Find<QLabel>("lbl", lbl::kHistorySize)->text()),
              "Movrand has not changed this installation yet.");
    EXPECT_FALSE(Find("cmd", cmd::kUndoLast)->isEnabled());
    EXPECT_FALSE(Find("cmd", cmd::kRestoreToHere)->isEnabled());
    EXPECT_TRUE(Find("cmd", cmd::kCheckForChanges)->isEnabled());
}

// A history that cannot be read is told by name in place of its steps, and nothing can be undone,
// restored or checked from it: it is no empty history.
TEST_F(HistoryPageTest, AHistoryThatCannotBeReadIsToldInPlaceOfItsSteps) {
    const std::string index = "C:\\sierra\\gpl\\movrand\\history\\index";
    drive.Write(index, "not a history\n");
    drive.Write("C:\\sierra\\gpl\\movrand\\history\\steps\\1.step", "damaged\n");
    Open();
    Find<QTabWidget>("tabMovrand", tabMovrand::kPages)->setCurrentIndex(tab::kHistory);
    auto* steps = Find<QListWidget>("lst", lst::kHistorySteps);
    ASSERT_EQ(steps->count(), 1) << drive.Ui.Transcript();
    EXPECT_NE(Text(steps->item(0)->text()).find(index), std::string::npos)
        << Text(steps->item(0)->text());
    EXPECT_EQ(Text(Find<QLabel>("lbl", lbl::kHistorySize)->text()),
              "The history of this installation cannot be read.");
    for (int button : {cmd::kUndoLast, cmd::kRestoreToHere, cmd::kCheckForChanges})
        EXPECT_FALSE(Find("cmd", button)->isEnabled()) << button;
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
}

// Naming a step, forgetting the steps older than the one selected and a smaller size limit, each
// from its button; the forget and the limit ask first, naming the named steps they would lose.
TEST_F(HistoryPageTest, StepsAreNamedAndForgottenFromTheirButtons) {
    PrepareAddOns(drive);
    for (const char* entry : {"Ferrari 312", "Red Wheels", "Chrome Mirrors"})
        InstallEntry(drive, kClassic, entry);
    drive.Ui.Messages.clear();
    Open();
    Find<QTabWidget>("tabMovrand", tabMovrand::kPages)->setCurrentIndex(tab::kHistory);
    auto* steps = Find<QListWidget>("lst", lst::kHistorySteps);
    ASSERT_EQ(steps->count(), 4) << drive.Ui.Transcript();
    steps->setCurrentRow(2);  // step 1: no older step to forget
    EXPECT_TRUE(Find("cmd", cmd::kNameStep)->isEnabled());
    EXPECT_FALSE(Find("cmd", cmd::kForgetOlderSteps)->isEnabled());
    drive.Ui.Texts = {"before the season"};
    Click(Find("cmd", cmd::kNameStep));
    EXPECT_TRUE(steps->item(2)->text().endsWith("   \"before the season\""))
        << Text(steps->item(2)->text());
    EXPECT_EQ(steps->currentRow(), 2);
    steps->setCurrentRow(3);  // the state before Movrand is no step
    EXPECT_FALSE(Find("cmd", cmd::kNameStep)->isEnabled());

    // A smaller limit and the forget ask first; on a no nothing is forgotten.
    const std::uint64_t limit = history::HistoryPlace(drive.Pv).Limit();
    drive.Ui.Texts = {"ten", "0"};
    drive.Ui.Answers = {false};
    Click(Find("cmd", cmd::kHistoryLimit));
    Click(Find("cmd", cmd::kHistoryLimit));
    EXPECT_EQ(drive.Ui.Messages.at(0).Text,
              "Please enter the limit as a whole number of megabytes, such as 2048.");
    EXPECT_EQ(history::HistoryPlace(drive.Pv).Limit(), limit);
    steps->setCurrentRow(0);
    drive.Ui.Answers = {false, true};
    Click(Find("cmd", cmd::kForgetOlderSteps));
    EXPECT_EQ(steps->count(), 4);
    Click(Find("cmd", cmd::kForgetOlderSteps));
    ASSERT_EQ(drive.Ui.Questions.size(), 3u) << drive.Ui.Transcript();
    for (const platform::Question& asked : drive.Ui.Questions)
        EXPECT_NE(asked.Message.find("Forget 2 step(s)"), std::string::npos) << asked.Message;
    EXPECT_NE(drive.Ui.Questions[2].Message.find("step 1 \"before the season\""),
              std::string::npos);
    ASSERT_EQ(steps->count(), 2) << drive.Ui.Transcript();
    EXPECT_EQ(Text(steps->item(1)->text()), "2   Before step 3");
    EXPECT_TRUE(steps->item(0)->text().startsWith("3   "));
    Find("fra", fra::kHistoryPage)
        ->grab()
        .save(QString::fromStdString((drive.Root() / "history-keeping.png").string()));
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
}

// The ways out are buttons of the page, shown only while needed: "Repair History" for an index
// that is damaged, "Close Unfinished Restore" while a restore that could not be finished stands.
TEST_F(HistoryPageTest, TheWaysOutOfAnUnusableHistoryAreButtons) {
    PrepareAddOns(drive);
    InstallEntry(drive, kClassic, "Ferrari 312");
    history::HistoryPlace place(drive.Pv);
    drive.Write(place.Index(), "not a history\n");
    drive.Ui.Messages.clear();
    Open();
    Find<QTabWidget>("tabMovrand", tabMovrand::kPages)->setCurrentIndex(tab::kHistory);
    auto* steps = Find<QListWidget>("lst", lst::kHistorySteps);
    ASSERT_TRUE(Find("cmd", cmd::kRepairHistory)->isVisible());
    EXPECT_FALSE(Find("cmd", cmd::kCloseRestore)->isVisible());
    Click(Find("cmd", cmd::kRepairHistory));
    EXPECT_NE(drive.Ui.Messages.at(0).Text.find("rebuilt from its 1 step file(s)"),
              std::string::npos);
    EXPECT_EQ(steps->count(), 2);
    EXPECT_FALSE(Find("cmd", cmd::kRepairHistory)->isVisible());

    history::WriteJournal(place, {false, "Restored to step 0", 2, {1}, {}});
    Find<QTabWidget>("tabMovrand", tabMovrand::kPages)->setCurrentIndex(tab::kGplDirectory);
    Find<QTabWidget>("tabMovrand", tabMovrand::kPages)->setCurrentIndex(tab::kHistory);
    ASSERT_TRUE(Find("cmd", cmd::kCloseRestore)->isVisible());
    EXPECT_NE(Text(Find<QLabel>("lbl", lbl::kHistorySize)->text()).find(place.RestoreJournal()),
              std::string::npos);
    drive.Ui.Answers = {true};
    Click(Find("cmd", cmd::kCloseRestore));
    EXPECT_FALSE(history::RestoreStands(place)) << drive.Ui.Transcript();
    EXPECT_FALSE(Find("cmd", cmd::kCloseRestore)->isVisible());
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
}

}  // namespace
}  // namespace movrand::test
