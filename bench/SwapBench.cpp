// SPDX-License-Identifier: GPL-3.0-or-later
// The car folder swap on a big collection. By Move on one file system it must not depend on the
// size of the folders (2 GB in 20,000 files, beside the two renames it comes down to); deleting
// the old folder costs what `rm -rf` costs; by Copy it is set beside `cp -a` of the same folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "BigCarFolder.h"
#include "ChildRun.h"
#include "TempDrive.h"
#include "folders/CarFolderSwap.h"

namespace {

namespace fs = std::filesystem;
using movrand::bench::MakeBigCarFolder;
using movrand::bench::RunChild;
using Clock = std::chrono::steady_clock;

constexpr int kMoveFiles = 20000;
constexpr std::size_t kMoveBytes = 100'000;  // 20,000 files of 100 kB: 2 GB
constexpr int kCopyFiles = 2000;
constexpr std::size_t kCopyBytes = 100'000;  // 2,000 files of 100 kB: 200 MB

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// The demo installation whose live car folder and a stored folder C:\store\a each hold 2 GB in
// 20,000 (sparse) files; made once per run.
struct MoveSetup {
    movrand::test::TempDrive drive;
    fs::path live = drive.DriveC() / "sierra" / "gpl" / "cars" / "cars67";
    fs::path store = drive.DriveC() / "store";
    MoveSetup() {
        fs::remove_all(live);
        MakeBigCarFolder(live, kMoveFiles, kMoveBytes, true);
        MakeBigCarFolder(store / "a", kMoveFiles, kMoveBytes, true);
        drive.Ui.DefaultAnswer = true;
    }
};

MoveSetup& Moves() {
    static MoveSetup setup;
    return setup;
}

// One turn of the swap by Move between C:\store\a and C:\store\b: the stored folder comes
// in, the live one goes out under the stored one's name. False (and the run marked) on failure.
bool SwapTurn(movrand::test::TempDrive& drive, bool& forward, benchmark::State& state) {
    const std::string here = forward ? "a" : "b";
    const std::string there = forward ? "b" : "a";
    movrand::CarFolderPage page;
    page.Source = "C:\\store\\" + here;
    page.Destination = "C:\\store";
    page.NewName = there;
    page.Move = true;
    if (movrand::SwapCarFolder(drive.Pv, drive.Ui, page).Outcome != movrand::SwapOutcome::Swapped) {
        state.SkipWithError(drive.Ui.Transcript().c_str());
        return false;
    }
    forward = !forward;
    drive.Ui.Questions.clear();
    return true;
}

// Rename mode: the live folder goes to C:\store under the name the stored one had, and the
// stored one comes in; the next turn swaps them back.
void BM_SwapByMove_2GB_20000Files(benchmark::State& state) {
    MoveSetup& s = Moves();
    bool forward = fs::exists(s.store / "a");  // the benchmark runs this more than once
    for (auto _ : state)
        if (!SwapTurn(s.drive, forward, state)) break;
}
BENCHMARK(BM_SwapByMove_2GB_20000Files)->Unit(benchmark::kMillisecond);

// The same swap on the demo's small folders (a few files per team): the time must not depend on
// the size of the folders.
void BM_SwapByMove_DemoFolders(benchmark::State& state) {
    static movrand::test::TempDrive drive;
    static const bool made = [] {
        MakeBigCarFolder(drive.DriveC() / "store" / "a", 14, 100, false);
        drive.Ui.DefaultAnswer = true;
        return true;
    }();
    (void)made;
    bool forward = fs::exists(drive.DriveC() / "store" / "a");
    for (auto _ : state)
        if (!SwapTurn(drive, forward, state)) break;
}
BENCHMARK(BM_SwapByMove_DemoFolders)->Unit(benchmark::kMillisecond);

// The reference: the two renames the swap comes down to.
void BM_TwoRenames_2GB_20000Files(benchmark::State& state) {
    MoveSetup& s = Moves();
    const bool atA = fs::exists(s.store / "a");
    fs::path from = s.store / (atA ? "a" : "b");
    fs::path aside = s.store / (atA ? "b" : "a");
    for (auto _ : state) {
        fs::rename(s.live, aside);
        fs::rename(from, s.live);
        std::swap(from, aside);
    }
}
BENCHMARK(BM_TwoRenames_2GB_20000Files)->Unit(benchmark::kMillisecond);

// Delete mode: the old live folder of 20,000 files is deleted after the stored one came in.
// Beside it, in the same turn, `rm -rf` of a folder of the same files.
void BM_SwapByMoveDeleting_20000Files_BesideRmRf(benchmark::State& state) {
    MoveSetup& s = Moves();
    double rm = 0;
    for (auto _ : state) {
        fs::remove_all(s.store / "next");
        MakeBigCarFolder(s.store / "next", kMoveFiles, kMoveBytes, true);
        MakeBigCarFolder(s.store / "doomed", kMoveFiles, kMoveBytes, true);
        ::sync();
        movrand::CarFolderPage page;
        page.Source = "C:\\store\\next";
        page.DeleteCurrent = true;
        page.Move = true;
        const auto start = Clock::now();
        const auto outcome = movrand::SwapCarFolder(s.drive.Pv, s.drive.Ui, page).Outcome;
        state.SetIterationTime(Seconds(Clock::now() - start));
        if (outcome != movrand::SwapOutcome::Swapped) {
            state.SkipWithError(s.drive.Ui.Transcript().c_str());
            break;
        }
        rm += RunChild({"/bin/rm", "-rf", (s.store / "doomed").string()}, {}).Seconds;
    }
    state.counters["rm_rf_s"] = rm / static_cast<double>(state.iterations());
}
BENCHMARK(BM_SwapByMoveDeleting_20000Files_BesideRmRf)
    ->UseManualTime()
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

// A live folder and a stored folder of 200 MB in 2,000 files of random bytes; made once.
struct CopySetup {
    movrand::test::TempDrive drive;
    fs::path live = drive.DriveC() / "sierra" / "gpl" / "cars" / "cars67";
    fs::path store = drive.DriveC() / "store";
    CopySetup() {
        MakeBigCarFolder(store / "source", kCopyFiles, kCopyBytes, false);
        drive.Ui.DefaultAnswer = true;
    }
};

// Rename mode by Copy, and `cp -a` of the same folder, taking turns in going first; each starts
// with the written data flushed. The time is the swap's; the counters give cp -a's and the ratio.
void BM_SwapByCopy_200MB_2000Files_BesideCpA(benchmark::State& state) {
    static CopySetup s;
    const fs::path copy = s.store / "cp-a-copy";
    double swap = 0;
    double cp = 0;
    bool swapFirst = true;
    for (auto _ : state) {
        auto runSwap = [&] {
            ::sync();
            movrand::CarFolderPage page;
            page.Source = "C:\\store\\source";
            page.Destination = "C:\\store";
            page.NewName = "old";
            const auto start = Clock::now();
            const auto outcome = movrand::SwapCarFolder(s.drive.Pv, s.drive.Ui, page).Outcome;
            const double seconds = Seconds(Clock::now() - start);
            if (outcome != movrand::SwapOutcome::Swapped)
                state.SkipWithError(s.drive.Ui.Transcript().c_str());
            return seconds;
        };
        auto runCp = [&] {
            ::sync();
            return RunChild({"/bin/cp", "-a", (s.store / "source").string(), copy.string()}, {})
                .Seconds;
        };
        double swapSeconds = 0;
        double cpSeconds = 0;
        if (swapFirst) {
            swapSeconds = runSwap();
            cpSeconds = runCp();
        } else {
            cpSeconds = runCp();
            swapSeconds = runSwap();
        }
        swapFirst = !swapFirst;
        state.SetIterationTime(swapSeconds);
        swap += swapSeconds;
        cp += cpSeconds;
        // Back to the start: the old live folder returns, the copies go.
        fs::remove_all(s.live);
        fs::rename(s.store / "old", s.live);
        fs::remove_all(copy);
    }
    state.counters["cp_a_s"] = cp / static_cast<double>(state.iterations());
    state.counters["ratio"] = cp > 0 ? swap / cp : 0;
}
BENCHMARK(BM_SwapByCopy_200MB_2000Files_BesideCpA)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

}  // namespace
