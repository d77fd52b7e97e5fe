// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "GameGuard.h"
#include "TempDrive.h"
#include "folders/CarFolderSwap.h"
#include "folders/SwapJournal.h"
#include "platform/FaultPlan.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

// The swap's own questions and refusals (what each mode leaves, the fault sweeps check; the
// checks before anything moves, the movrand-cli cases). No to either question changes nothing.
TEST(CarFolderSwap, AsksAndRefusesInItsOwnWords) {
    TempDrive drive;
    CarFolderPage page{"C:\\carfolders\\classic", "C:\\backup", "", false, false};
    const fs::path source = drive.Native(page.Source);
    WriteCarFolder(source, "classic");
    fs::rename(source / "coventry", source / "cooper");  // a display name, not a folder
    drive.Write("C:\\backup\\old\\stale.txt", "stale\r\n");
    const auto old = TreeOf(drive.Native("C:\\sierra\\gpl\\cars\\cars67"));
    EXPECT_TRUE(SwapCarFolder(drive.Pv, drive.Ui, page).FocusNameBox);
    page.NewName = "old";
    EXPECT_EQ(SwapCarFolder(drive.Pv, drive.Ui, page).Outcome, SwapOutcome::SourceRefused);
    fs::rename(source / "cooper", source / "COVENTRY");  // capitals count
    drive.Ui.Answers = {true, false};
    EXPECT_EQ(SwapCarFolder(drive.Pv, drive.Ui, page).Outcome, SwapOutcome::Declined);
    EXPECT_EQ(
        drive.Ui.Transcript(),
        "message: Please enter the new name for the Current Car Folder.\n"
        "message: New Folder is not a valid Car Folder - Please re-select.\n"
        "question: The current GPL car folder will be renamed as old and will be moved to the selected destination  and the selected new folder will become the new GPL Cars Folder by being copied into the GPL folder.\r\n\r\nDo you wish to continue? -> yes\n"
        "question: The folder \r\nC:\\backup\\old\r\n already exists.\r\n\r\nDo you wish to continue (which will overwrite this folder with the current GPL Car Folder)? -> no\n");
    EXPECT_EQ(drive.Ui.Messages[1].Width * 10000 + drive.Ui.Messages[1].Height, 40001500);
    EXPECT_EQ(TreeOf(drive.Native("C:\\sierra\\gpl\\cars\\cars67")), old);
}

// A folder of the swap's own made by someone else once the journal is written: the swap that
// already took place stops there, naming its folders and its journal, which stays.
TEST(CarFolderSwap, FoldersNotAsTheJournalSaysStopItInItsOwnWords) {
    TempDrive drive;
    const CarFolderPage page{"C:\\carfolders\\classic", "", "", true, true};
    WriteCarFolder(drive.Native(page.Source), "classic");
    const auto source = TreeOf(drive.Native(page.Source));
    drive.Pv.Env.Faults = std::make_shared<platform::FaultPlan>();
    drive.Pv.Env.Faults->BeforeEach([&](const std::string& what) {
        if (what.find("swap.zorvex") != std::string::npos)
            drive.Write("C:\\sierra\\gpl\\cars\\cars67.movrand-copy\\x", "theirs");
    });
    drive.Ui.DefaultAnswer = true;
    EXPECT_EQ(SwapCarFolder(drive.Pv, drive.Ui, page).Outcome, SwapOutcome::Swapped);
    const std::string told = drive.Ui.Messages.at(0).Text, journal = SwapJournalPath(drive.Pv);
    EXPECT_TRUE(drive.Ui.Traps.empty()) << told;
    EXPECT_EQ(
        told.find("The car folder swap stopped, as its folders are not what its record says: "
                  "C:\\sierra\\gpl\\cars\\cars67.movrand-copy is not as the swap left it. "
                  "Nothing more has been moved or deleted. The selected folder is the GPL car "
                  "folder now. Please look at these folders:"),
        0u);
    EXPECT_NE(told.find("The record is " + journal + "; "), std::string::npos) << told;
    EXPECT_TRUE(drive.Exists(journal));
    auto live = TreeOf(drive.Native("C:\\sierra\\gpl\\cars\\cars67"));
    EXPECT_EQ(live.erase("zorvexswap.zorvex"), 1u);  // the swap's marker, as it was left
    EXPECT_EQ(live, source);
    EXPECT_EQ(drive.Read("C:\\sierra\\gpl\\cars\\cars67.movrand-copy\\x"), "theirs");
}

}  // namespace
}  // namespace movrand::test
