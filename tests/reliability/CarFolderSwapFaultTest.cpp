#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>

#include "FaultSweep.h"
#include "GameGuard.h"
#include "OtherDisk.h"
#include "TempDrive.h"
#include "folders/CarFolderSwap.h"
#include "folders/SwapJournal.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;

struct Mode {
    const char* name;
    bool remove;          // "DELETE CURRENT CAR FOLDER!" ticked; else renamed into C:\backup
    bool move;            // "Move"; else "Copy"
    bool existingTarget;  // C:\backup\old exists and is overwritten on Yes
    bool otherDisk;       // the stored folder lies on another file system
};

void PrintTo(const Mode& mode, std::ostream* out) {
    *out << mode.name;
}

// One run of the swap on a fresh drive: the demo installation, a stored car folder and the
// destination folder, everything watched by a guard taken before the swap.
struct SwapRun {
    Mode mode;
    std::unique_ptr<OtherDisk> disk;
    CarFolderPage page;
    std::optional<GameGuard> guard;
    Tree oldLive, source, target;
    std::string roster;

    void Prepare(TempDrive& drive) {
        std::vector<fs::path> roots = {drive.DriveC()};
        std::string stored = "C:\\carfolders\\classic";
        if (mode.otherDisk) {
            disk = std::make_unique<OtherDisk>();
            drive.AddDrive('D', disk->Folder());
            roots.push_back(disk->Folder());
            stored = "D:\\classic";
        }
        WriteCarFolder(drive.Native(stored), "classic");
        drive.Write(stored + "\\ferrari\\car1.3do", "classic model\r\n");
        drive.Write(stored + "\\readme.txt", "the 1967 season\r\n");
        fs::create_directories(drive.Native("C:\\backup"));
        if (mode.existingTarget) drive.Write("C:\\backup\\old\\keep.txt", "older folder\r\n");

        page.Source = stored;
        page.DeleteCurrent = mode.remove;
        page.Destination = mode.remove ? "" : "C:\\backup";
        page.NewName = mode.remove ? "" : "old";
        page.Move = mode.move;
        drive.Ui.Answers = {true, true};

        guard = GameGuard::Take(roots, drive.Native("C:\\sierra\\gpl"));
        oldLive = TreeOf(Live(drive));
        source = TreeOf(drive.Native(stored));
        target = TreeOf(drive.Native("C:\\backup\\old"));
        roster = drive.Read("C:\\sierra\\gpl\\driver.ini");
    }

    fs::path Live(const TempDrive& drive) const {
        return drive.Native("C:\\sierra\\gpl\\cars\\cars67");
    }

    // Files the swap was asked to do away with, once it has brought the source in.
    std::vector<fs::path> Excused(const TempDrive& drive) const {
        std::vector<fs::path> excused;
        if (mode.remove) {
            excused.push_back(Live(drive));
            for (const auto& e : fs::directory_iterator(Live(drive).parent_path()))
                excused.push_back(e.path());  // the old folder, waiting to be deleted
        }
        if (mode.existingTarget) {
            for (const auto& e : fs::directory_iterator(drive.Native("C:\\backup")))
                excused.push_back(e.path());
        }
        return excused;
    }

    // What a completed swap leaves.
    void ExpectSwapped(TempDrive& drive, const std::string& why) const {
        EXPECT_EQ(TreeOf(Live(drive)), source) << why;
        if (!mode.remove) {
            EXPECT_EQ(TreeOf(drive.Native("C:\\backup\\old")), oldLive) << why;
        }
        EXPECT_EQ(fs::exists(drive.Native(page.Source)), !mode.move) << why;
        if (!mode.move) {
            EXPECT_EQ(TreeOf(drive.Native(page.Source)), source) << why;
        }
        EXPECT_EQ(drive.Read("C:\\sierra\\gpl\\driver.ini"), roster) << why;
        EXPECT_EQ(guard->Lost(Excused(drive)), std::vector<std::string>{}) << why;
    }
};

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// Every mode of the swap, failed at each of its file-system steps in turn (each folder made and
// each file copied counts): the game keeps a whole live car folder, either the old one or the
// new one, no file of the installation, the stored folder or the destination is lost, driver.ini
// is untouched, and when the source did not come in, the swap run again completes.
class CarFolderSwapFaults : public ::testing::TestWithParam<Mode> {};

TEST_P(CarFolderSwapFaults, LoseNothingAndTheSwapCompletesWhenRunAgain) {
    const Mode mode = GetParam();
    if (mode.otherDisk && OtherDisk().Empty()) GTEST_SKIP() << "no second file system here";
    SwapRun run;
    run.mode = mode;
    FaultSweep sweep;
    sweep.Prepare = [&](TempDrive& drive) { run.Prepare(drive); };
    sweep.Operation = [&](TempDrive& drive) { SwapCarFolder(drive.Pv, drive.Ui, run.page); };
    sweep.Check = [&](TempDrive& drive, int) {
        ASSERT_EQ(drive.Ui.Traps.size(), 1u) << drive.Ui.Transcript();
        EXPECT_EQ(drive.Ui.Traps[0].Text, "61\r\nDisk full");
        ASSERT_EQ(run.guard->LiveCarFolderProblem(), "");
        // The failed swap was settled at once; only when deleting its journal failed does the
        // journal wait for the next start, which finds nothing left to do.
        const std::string journal = drive.Pv.AppPath + "swap.zorvex";
        if (drive.Exists(journal)) {
            Tree before = TreeOf(drive.DriveC());
            FinishInterruptedSwap(drive.Pv);
            EXPECT_FALSE(drive.Exists(journal));
            before.erase(fs::relative(drive.Native(journal), drive.DriveC()).generic_string());
            EXPECT_EQ(TreeOf(drive.DriveC()), before) << "settling a finished swap moved files";
        }
        const Tree live = TreeOf(run.Live(drive));
        const bool swapped = live == run.source;
        ASSERT_TRUE(swapped || live == run.oldLive) << "a live folder that is neither";
        if (swapped) {
            // Only a clean-up after the swap failed; the swap stands.
            run.ExpectSwapped(drive, "after a failed clean-up");
            return;
        }
        EXPECT_EQ(run.guard->Lost(), std::vector<std::string>{});
        EXPECT_EQ(TreeOf(drive.Native(run.page.Source)), run.source);
        EXPECT_EQ(TreeOf(drive.Native("C:\\backup\\old")), run.target);
        EXPECT_EQ(drive.Read("C:\\sierra\\gpl\\driver.ini"), run.roster);
        EXPECT_EQ(Names(run.Live(drive).parent_path()), std::vector<std::string>{"cars67"});

        drive.Ui.Answers = {true, true};
        EXPECT_EQ(SwapCarFolder(drive.Pv, drive.Ui, run.page).Outcome, SwapOutcome::Swapped);
        EXPECT_EQ(drive.Ui.Traps.size(), 1u) << drive.Ui.Transcript();
        run.ExpectSwapped(drive, "run again");
        EXPECT_EQ(Names(run.Live(drive).parent_path()), std::vector<std::string>{"cars67"});
        EXPECT_EQ(Names(drive.Native("C:\\backup")),
                  mode.remove ? std::vector<std::string>{} : std::vector<std::string>{"old"});
    };
    // Moving the old folder aside and bringing the source in, at the least.
    EXPECT_GE(sweep.Run(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, CarFolderSwapFaults,
    ::testing::Values(Mode{"DeleteCopy", true, false, false, false},
                      Mode{"DeleteMove", true, true, false, false},
                      Mode{"RenameCopy", false, false, false, false},
                      Mode{"RenameMove", false, true, false, false},
                      Mode{"RenameCopyOverExisting", false, false, true, false},
                      Mode{"RenameMoveOverExisting", false, true, true, false},
                      Mode{"DeleteMoveFromOtherDisk", true, true, false, true},
                      Mode{"RenameMoveFromOtherDisk", false, true, false, true}),
    [](const ::testing::TestParamInfo<Mode>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace movrand::test
