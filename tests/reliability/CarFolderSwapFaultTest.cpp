// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "FaultSweep.h"
#include "GameGuard.h"
#include "OtherDisk.h"
#include "TempDrive.h"
#include "folders/CarFolderSwap.h"
#include "folders/SwapSettling.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;

struct Mode {
    const char* name;
    bool remove, move, existingTarget;
    char storedOn, destinationOn;  // drive letters; D: is another file system
};

// The entries of a folder, the marks the swap leaves beside its stored folders aside.
std::size_t Entries(const fs::path& folder) {
    return std::count_if(
        fs::directory_iterator(folder), fs::directory_iterator(),
        [](const auto& e) { return !e.path().string().ends_with(".movrand-stored"); });
}

// Each mode of the swap failed at each of its file-system steps in turn (each folder made and file
// copied counts). Before the stored folder is live, a failure undoes everything and the swap run
// again completes; after it, the user is told where the old folder is and the next start finishes.
class CarFolderSwapFaults : public ::testing::TestWithParam<Mode> {};

TEST_P(CarFolderSwapFaults, UndoOrFinishLosingNothing) {
    const Mode m = GetParam();
    std::unique_ptr<OtherDisk> disk;
    if (m.storedOn == 'D' || m.destinationOn == 'D') {
        disk = std::make_unique<OtherDisk>();
        if (disk->Empty()) GTEST_SKIP() << disk->Why();
    }
    const std::string backup = std::string(1, m.destinationOn) + ":\\backup";
    const CarFolderPage page{std::string(1, m.storedOn) + ":\\classic", m.remove ? "" : backup,
                             m.remove ? "" : "old", m.remove, m.move};
    std::optional<GameGuard> guard;
    Tree oldLive, source, target;
    const auto live = [](TempDrive& d) { return d.Native("C:\\sierra\\gpl\\cars\\cars67"); };
    FaultSweep sweep;
    sweep.Prepare = [&](TempDrive& d) {
        if (disk) {
            for (const auto& e : fs::directory_iterator(disk->Folder())) fs::remove_all(e.path());
            d.AddDrive('D', disk->Folder(), false);
        }
        WriteCarFolder(d.Native(page.Source), "classic");
        fs::create_directories(d.Native(backup));
        if (m.existingTarget) d.Write(backup + "\\old\\keep.txt", "older\r\n");
        d.Ui.DefaultAnswer = true;
        guard = GameGuard::Take({d.DriveC(), disk ? disk->Folder() : d.DriveC()},
                                d.Native("C:\\sierra\\gpl"));
        oldLive = TreeOf(live(d));
        source = TreeOf(d.Native(page.Source));
        target = TreeOf(d.Native(backup + "\\old"));
    };
    sweep.Operation = [&](TempDrive& d) { SwapCarFolder(d.Pv, d.Ui, page); };
    const auto expectSwapped = [&](TempDrive& d) {
        EXPECT_EQ(TreeOf(live(d)), source);
        EXPECT_EQ(Entries(live(d).parent_path()), 1u);
        EXPECT_EQ(fs::exists(d.Native(page.Source)), !m.move);
        EXPECT_EQ(TreeOf(d.Native(backup + "\\old")), m.remove ? target : oldLive);
        EXPECT_EQ(Entries(d.Native(backup)), m.remove && !m.existingTarget ? 0u : 1u);
        EXPECT_FALSE(d.Exists(SwapJournalPath(d.Pv)));
        EXPECT_EQ(guard->Lost({live(d), d.Native(backup + "\\old")}), std::vector<std::string>{});
    };
    sweep.Check = [&](TempDrive& d, int) {
        ASSERT_EQ(guard->LiveCarFolderProblem(), "");
        const std::string told = d.Ui.Transcript();
        if (TreeOf(live(d)) != oldLive) {
            // The user is told where the old folder waits (unless only deleting the journal
            // failed); the next start finishes the swap.
            EXPECT_EQ(d.Ui.Traps.size(), 1u) << told;
            EXPECT_TRUE(Entries(live(d).parent_path()) == 1 ||
                        told.find("The car folder swap took place") != std::string::npos);
            EXPECT_TRUE(SettleInterruptedSwap(d.Pv, d.Ui)) << d.Ui.Transcript();
            return expectSwapped(d);
        }
        EXPECT_TRUE(d.Ui.Traps.size() == 1u ||
                    told.find("A new folder cannot be made in") != std::string::npos)
            << told;
        EXPECT_EQ(guard->Lost(), std::vector<std::string>{});
        EXPECT_EQ(TreeOf(d.Native(page.Source)), source);
        EXPECT_EQ(TreeOf(d.Native(backup + "\\old")), target);
        EXPECT_EQ(Entries(live(d).parent_path()), 1u);
        EXPECT_FALSE(d.Exists(SwapJournalPath(d.Pv)));
        EXPECT_EQ(SwapCarFolder(d.Pv, d.Ui, page).Outcome, SwapOutcome::Swapped) << told;
        expectSwapped(d);
    };
    EXPECT_GE(sweep.Run(), 10);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, CarFolderSwapFaults,
    ::testing::Values(Mode{"RenameMoveOverExisting", false, true, true, 'C', 'C'},
                      Mode{"RenameCopyOverExisting", false, false, true, 'C', 'C'},
                      Mode{"DeleteMoveFromOtherDisk", true, true, false, 'D', 'C'},
                      Mode{"RenameMoveFromOtherDiskOverExisting", false, true, true, 'D', 'C'},
                      Mode{"RenameMoveToOtherDiskOverExisting", false, true, true, 'C', 'D'}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace movrand::test
