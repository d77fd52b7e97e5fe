// SPDX-License-Identifier: GPL-3.0-or-later
// The "History" page driven through the main window.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTabWidget>
#include <fstream>

#include "FileSnapshot.h"
#include "GameGuard.h"
#include "WindowFixture.h"
#include "ui/SimulatedInput.h"

namespace movrand::test {
namespace {

class HistoryPageTest : public WindowFixture {};

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

    // Nothing changed by hand yet; then a file of the swapped-in folder is.
    Click(Find("cmd", cmd::kCheckForChanges));
    ASSERT_EQ(drive.Ui.Messages.size(), 1u) << drive.Ui.Transcript();
    EXPECT_EQ(drive.Ui.Messages[0].Text, "No file was changed since Movrand last touched it.");
    const std::string changed = TreeOf(liveFolder).begin()->first;
    std::ofstream(liveFolder / changed, std::ios::app) << "by hand";
    Click(Find("cmd", cmd::kCheckForChanges));
    ASSERT_EQ(drive.Ui.Messages.size(), 2u) << drive.Ui.Transcript();
    EXPECT_NE(drive.Ui.Messages[1].Text.find(changed.substr(changed.find('/') + 1)),
              std::string::npos)
        << drive.Ui.Messages[1].Text;

    // The undo asks first, then about the file changed by hand, and puts the live folder back.
    const auto beforeUndo = TreeOf(liveFolder);
    drive.Ui.Answers = {true, true};
    Click(Find("cmd", cmd::kUndoLast));
    ASSERT_EQ(drive.Ui.Questions.size(), 3u) << drive.Ui.Transcript();
    EXPECT_TRUE(drive.Ui.Questions[1].Message.starts_with("Undo step 1 ("))
        << drive.Ui.Transcript();
    EXPECT_NE(drive.Ui.Questions[1].Message.find(" files."), std::string::npos);
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

}  // namespace
}  // namespace movrand::test
