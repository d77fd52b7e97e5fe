// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

#include "../addons/AddOnFixture.h"
#include "GameGuard.h"
#include "folders/CarFolderSwap.h"
#include "history/HistoryPlace.h"
#include "history/HistoryRestore.h"
#include "platform/FaultPlan.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

// The installation's files, its history aside.
Files Installation(const AddOnDrive& d) {
    Files files = TreeOf(d.Native("C:\\sierra\\gpl"));
    std::erase_if(files, [](const auto& file) { return file.first.rfind("movrand/", 0) == 0; });
    return files;
}

// A history file (the journal, the step file, the index) that cannot be written or synced stops
// the install, whichever write or sync of it fails and however: the install is taken back
// whole, nothing tells of success, the error names the file, and the history is as it was.
TEST(HistoryFailure, AFailedHistoryWriteOrSyncTakesTheInstallBack) {
    const struct {
        int error;
        const char* told;
    } rows[] = {{ENOSPC, "61 Cannot "}, {EIO, "57 Cannot "}};
    for (const auto& row : rows) {
        int faults = 0;
        for (int at = 1; at < 100; ++at) {
            AddOnDrive d;
            d.Install(kClassic, "Ferrari 312");
            const history::HistoryPlace place(d.Pv);
            const Files before = Installation(d);
            const std::string index = d.Read(place.Index());
            d.Ui.Messages.clear();
            d.Pv.Env.Faults = std::make_shared<platform::FaultPlan>();
            d.Pv.Env.Faults->FailRecordAt(at, row.error);
            const InstallOutcome outcome = d.Install(kClassic, "Red Wheels");
            const std::string failed = d.Pv.Env.Faults->LastFailure();
            if (failed.empty()) break;
            ++faults;
            SCOPED_TRACE(failed);
            EXPECT_EQ(outcome, InstallOutcome::Failed);
            ASSERT_EQ(d.Ui.Traps.size(), 1u) << d.Ui.Transcript();
            EXPECT_EQ(d.Ui.Traps[0].Text.rfind(row.told, 0), 0u) << d.Ui.Traps[0].Text;
            EXPECT_NE(d.Ui.Traps[0].Text.find(failed.substr(failed.find(' ') + 1)),
                      std::string::npos)
                << d.Ui.Traps[0].Text;
            EXPECT_TRUE(d.Ui.Messages.empty()) << "a failure told as success";
            EXPECT_EQ(Differences(Installation(d), before), "");
            EXPECT_EQ(d.Read(place.Index()), index);
            EXPECT_FALSE(d.Exists(place.Pending()));
        }
        // The journal's writes and syncs, the step file's and the index's all failed in turn.
        EXPECT_GE(faults, 5);
    }
}

// A file the player added to the live car folder after a swap is named before the swap is
// undone, taken into the history with the folder it was in (a restore gives it back), and no
// folder of the swap's is left behind, whichever way the swap went; a live folder that came by a
// move goes back whole, the file in it.
TEST(HistoryUndo, UndoingASwapAsksAboutAnAddedFileAndKeepsIt) {
    const std::string added = std::string(kFerrari) + "\\mine.txt";
    for (const bool move : {false, true})
        for (const bool deleteCurrent : {false, true}) {
            SCOPED_TRACE(std::string(move ? "move" : "copy") + (deleteCurrent ? ", delete" : ""));
            AddOnDrive d;
            d.Ui.DefaultAnswer = true;
            WriteCarFolder(d.Native("C:\\carfolders\\classic"), "classic");
            const Files before = Installation(d);
            SwapCarFolder(d.Pv, d.Ui,
                          {"C:\\carfolders\\classic", deleteCurrent ? "" : "C:\\carfolders",
                           deleteCurrent ? "" : "old", deleteCurrent, move});
            // The player adds the file later than the file system's clock tick in which the
            // swap ended: within that tick (a few milliseconds) a file's change time can lie
            // before the step's end, and the file is not told from the swap's own.
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            d.Write(added, "mine");
            const Files swapped = Installation(d);
            d.Ui.Questions.clear();
            d.Ui.Answers = {true};
            const history::RestoreResult undone =
                history::CarryOut(d.Pv, d.Ui, history::PlanUndo(d.Pv));
            ASSERT_EQ(undone.Outcome, history::RestoreOutcome::Done) << d.Ui.Transcript();
            if (move) {
                // The live folder goes back whole where it came from, the file in it.
                EXPECT_EQ(d.Read("C:\\carfolders\\classic\\ferrari\\mine.txt"), "mine");
            } else {
                ASSERT_EQ(d.Ui.Questions.size(), 1u) << d.Ui.Transcript();
                EXPECT_NE(d.Ui.Questions[0].Message.find("added: " + added), std::string::npos)
                    << d.Ui.Questions[0].Message;
            }
            EXPECT_EQ(Differences(Installation(d), before), "");
            for (const auto& entry : fs::directory_iterator(d.Native("C:\\sierra\\gpl\\cars")))
                EXPECT_EQ(entry.path().filename().string().find(".movrand-"), std::string::npos)
                    << entry.path();
            const history::RestoreResult back =
                history::CarryOut(d.Pv, d.Ui, history::PlanRestore(d.Pv, undone.Step - 1));
            ASSERT_EQ(back.Outcome, history::RestoreOutcome::Done) << d.Ui.Transcript();
            EXPECT_EQ(Differences(Installation(d), swapped), "");
        }
}

}  // namespace
}  // namespace movrand::test
