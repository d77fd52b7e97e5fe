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
    char storedOn, destinationOn;  // drive letters; 'D' is another file system
};

void PrintTo(const Mode& mode, std::ostream* out) {
    *out << mode.name;
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// Every mode of the swap, failed at each of its file-system steps in turn (each folder made and
// each file copied counts). Before the stored folder is live, the failure undoes everything: no
// file lost or moved, nothing left over, and the swap run again completes. After it, the user is
// told that the swap took place and where the old folder is, and the next start finishes it.
class CarFolderSwapFaults : public ::testing::TestWithParam<Mode> {};

TEST_P(CarFolderSwapFaults, UndoOrFinishLosingNothing) {
    const Mode m = GetParam();
    std::unique_ptr<OtherDisk> disk;
    if (m.storedOn == 'D' || m.destinationOn == 'D') {
        disk = std::make_unique<OtherDisk>();
        if (disk->Empty()) GTEST_SKIP() << disk->Why();
    }
    CarFolderPage page{std::string(1, m.storedOn) + ":\\classic",
                       m.remove ? "" : std::string(1, m.destinationOn) + ":\\backup",
                       m.remove ? "" : "old", m.remove, m.move};
    std::optional<GameGuard> guard;
    Tree oldLive, source, target;
    const auto live = [](TempDrive& d) { return d.Native("C:\\sierra\\gpl\\cars\\cars67"); };
    FaultSweep sweep;
    sweep.Prepare = [&](TempDrive& d) {
        std::vector<fs::path> roots = {d.DriveC()};
        if (disk) {
            for (const auto& e : fs::directory_iterator(disk->Folder())) fs::remove_all(e.path());
            d.AddDrive('D', disk->Folder(), false);
            roots.push_back(disk->Folder());
        }
        WriteCarFolder(d.Native(page.Source), "classic");
        d.Write(page.Source + "\\readme.txt", "the 1967 season\r\n");
        if (!m.remove) fs::create_directories(d.Native(page.Destination));
        if (m.existingTarget) d.Write(page.Destination + "\\old\\keep.txt", "older\r\n");
        d.Ui.DefaultAnswer = true;
        guard = GameGuard::Take(roots, d.Native("C:\\sierra\\gpl"));
        oldLive = TreeOf(live(d));
        source = TreeOf(d.Native(page.Source));
        target = m.remove ? Tree{} : TreeOf(d.Native(page.Destination + "\\old"));
    };
    sweep.Operation = [&](TempDrive& d) { SwapCarFolder(d.Pv, d.Ui, page); };
    const auto expectSwapped = [&](TempDrive& d) {
        EXPECT_EQ(TreeOf(live(d)), source);
        EXPECT_EQ(Names(live(d).parent_path()), std::vector<std::string>{"cars67"});
        EXPECT_EQ(fs::exists(d.Native(page.Source)), !m.move);
        if (!m.remove) {
            EXPECT_EQ(TreeOf(d.Native(page.Destination + "\\old")), oldLive);
            EXPECT_EQ(Names(d.Native(page.Destination)), std::vector<std::string>{"old"});
        }
        EXPECT_FALSE(d.Exists(SwapJournalPath(d.Pv)));
        EXPECT_EQ(guard->Lost({live(d), d.Native(page.Destination + "\\old")}),
                  std::vector<std::string>{});
    };
    sweep.Check = [&](TempDrive& d, int) {
        ASSERT_EQ(guard->LiveCarFolderProblem(), "");
        const std::string told = d.Ui.Transcript();
        if (TreeOf(live(d)) != oldLive) {
            // Taken place: the user is told where the old folder waits (unless only the
            // journal could not be deleted), and the next start finishes the swap.
            EXPECT_EQ(d.Ui.Traps.size(), 1u) << told;
            if (Names(live(d).parent_path()).size() > 1) {
                EXPECT_NE(told.find("The car folder swap took place"), std::string::npos) << told;
            }
            EXPECT_TRUE(SettleInterruptedSwap(d.Pv, d.Ui)) << d.Ui.Transcript();
            expectSwapped(d);
            return;
        }
        // A step failed before the stored folder was live: undone, or a failed trial of the
        // destination refused it.
        EXPECT_TRUE(d.Ui.Traps.size() == 1u ||
                    d.Ui.Messages.back().Text.rfind("A new folder cannot be made in", 0) == 0)
            << told;
        EXPECT_EQ(guard->Lost(), std::vector<std::string>{});
        EXPECT_EQ(TreeOf(live(d)), oldLive);
        EXPECT_EQ(TreeOf(d.Native(page.Source)), source);
        if (!m.remove) {
            EXPECT_EQ(TreeOf(d.Native(page.Destination + "\\old")), target);
        }
        EXPECT_EQ(Names(live(d).parent_path()), std::vector<std::string>{"cars67"});
        EXPECT_FALSE(d.Exists(SwapJournalPath(d.Pv)));
        EXPECT_EQ(SwapCarFolder(d.Pv, d.Ui, page).Outcome, SwapOutcome::Swapped) << told;
        expectSwapped(d);
    };
    EXPECT_GE(sweep.Run(), 10);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, CarFolderSwapFaults,
    ::testing::Values(Mode{"DeleteCopy", true, false, false, 'C', 'C'},
                      Mode{"DeleteMove", true, true, false, 'C', 'C'},
                      Mode{"RenameCopy", false, false, false, 'C', 'C'},
                      Mode{"RenameMoveOverExisting", false, true, true, 'C', 'C'},
                      Mode{"RenameCopyOverExisting", false, false, true, 'C', 'C'},
                      Mode{"DeleteMoveFromOtherDisk", true, true, false, 'D', 'C'},
                      Mode{"RenameMoveFromOtherDiskOverExisting", false, true, true, 'D', 'C'},
                      Mode{"RenameCopyToOtherDisk", false, false, false, 'C', 'D'},
                      Mode{"RenameMoveToOtherDiskOverExisting", false, true, true, 'C', 'D'}),
    [](const ::testing::TestParamInfo<Mode>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace movrand::test
