// SPDX-License-Identifier: GPL-3.0-or-later
// Car sets on a league's big car folder, 20,000 files of 20 kB (400 MB) in the page cache: the
// comparison with a set beside `xxh128sum -c` of the same files, a second comparison of the
// unchanged folder beside the first, and the building of the set's folder beside `cp -a`.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "BigCarFolder.h"
#include "ChildRun.h"
#include "TempDrive.h"
#include "carsets/CarSetApply.h"
#include "carsets/CarSetWork.h"

namespace {

namespace fs = std::filesystem;
using movrand::bench::MakeBigCarFolder;
using movrand::bench::RunChild;
using Clock = std::chrono::steady_clock;

constexpr int kFiles = 20000;
constexpr std::size_t kBytes = 20'000;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// The demo installation with a live car folder of 400 MB in 20,000 files, its set, and the
// checksum file xxh128sum reads; made once per run.
struct SetSetup {
    movrand::test::TempDrive drive;
    fs::path live = drive.DriveC() / "sierra" / "gpl" / "cars" / "cars67";
    fs::path sums = drive.DriveC() / "sums.xxh128";
    fs::path cache = drive.DriveC() / "sierra" / "gpl" / "movrand" / "history" / "sethashes";
    SetSetup() {
        fs::remove_all(live);
        MakeBigCarFolder(live, kFiles, kBytes, false);
        drive.Ui.DefaultAnswer = true;
        movrand::carsets::ExportCarSet(drive.Pv, drive.Ui, "C:\\league.carset", "", "League");
        const std::string list = "cd '" + live.string() + "' && find . -type f -print0 | " +
                                 "xargs -0 xxh128sum > '" + sums.string() + "'";
        if (std::system(list.c_str()) != 0) throw std::runtime_error("xxh128sum is missing");
        ::sync();
    }
};

SetSetup& Setup() {
    static SetSetup setup;
    return setup;
}

double Compare(SetSetup& s, benchmark::State& state) {
    const auto start = Clock::now();
    const auto result =
        movrand::carsets::CompareCarSet(s.drive.Pv, s.drive.Ui, "C:\\league.carset", "");
    const double seconds = Seconds(Clock::now() - start);
    if (!result || !result->Differences.empty())
        state.SkipWithError(s.drive.Ui.Transcript().c_str());
    return seconds;
}

double Xxh128sum(SetSetup& s) {
    // xxh128sum reads the names relative to the folder it runs in: a shell goes there first.
    return RunChild({"/bin/sh", "-c",
                     "cd '" + s.live.string() + "' && exec xxh128sum --quiet -c '" +
                         s.sums.string() + "'"},
                    {"PATH=/usr/bin:/bin"})
        .Seconds;
}

// The first comparison (no fingerprint kept) and xxh128sum -c, taking turns in going first.
void BM_SetCompare_20000Files_400MB_BesideXxh128sum(benchmark::State& state) {
    SetSetup& s = Setup();
    double compare = 0, xxh = 0;
    bool first = true;
    for (auto _ : state) {
        fs::remove(s.cache);
        double c = 0, x = 0;
        if (first) {
            c = Compare(s, state);
            x = Xxh128sum(s);
        } else {
            x = Xxh128sum(s);
            fs::remove(s.cache);
            c = Compare(s, state);
        }
        first = !first;
        state.SetIterationTime(c);
        compare += c;
        xxh += x;
    }
    state.counters["xxh128sum_s"] = xxh / static_cast<double>(state.iterations());
    state.counters["ratio"] = xxh > 0 ? compare / xxh : 0;
}
BENCHMARK(BM_SetCompare_20000Files_400MB_BesideXxh128sum)
    ->UseManualTime()
    ->Iterations(6)
    ->Unit(benchmark::kMillisecond);

// A comparison of the unchanged folder after one that kept the fingerprints, beside that first.
void BM_SetCompareAgain_20000Files_400MB_BesideTheFirst(benchmark::State& state) {
    SetSetup& s = Setup();
    double again = 0, firstTotal = 0;
    for (auto _ : state) {
        fs::remove(s.cache);
        firstTotal += Compare(s, state);
        const double a = Compare(s, state);
        state.SetIterationTime(a);
        again += a;
    }
    state.counters["first_s"] = firstTotal / static_cast<double>(state.iterations());
    state.counters["ratio"] = firstTotal > 0 ? again / firstTotal : 0;
}
BENCHMARK(BM_SetCompareAgain_20000Files_400MB_BesideTheFirst)
    ->UseManualTime()
    ->Iterations(4)
    ->Unit(benchmark::kMillisecond);

// set-apply --no-swap from a folder holding the set's files (the swap that follows is two
// renames, see SwapBench.cpp), beside `cp -a` of the same folder and `cp -a` then `sync`:
// the set's folder is synced before it is named, a copy by cp is not. Turns taken.
void BM_SetBuild_20000Files_400MB_BesideCpA(benchmark::State& state) {
    SetSetup& s = Setup();
    const fs::path store = s.drive.DriveC() / "sierra" / "gpl" / "cars";
    const fs::path source = s.drive.DriveC() / "source";
    if (!fs::exists(source)) fs::rename(s.live, source), fs::create_directory(s.live);
    const fs::path copy = s.drive.DriveC() / "cp-a-copy";
    movrand::carsets::ApplyRequest request;
    request.SetFile = "C:\\league.carset";
    request.From = {"C:\\source"};
    request.NoSwap = true;
    double build = 0, cp = 0, cpSync = 0;
    bool first = true;
    for (auto _ : state) {
        const auto runBuild = [&] {
            ::sync();
            const auto start = Clock::now();
            const auto result = movrand::carsets::ApplyCarSet(s.drive.Pv, s.drive.Ui, request);
            const double seconds = Seconds(Clock::now() - start);
            if (result.Outcome != movrand::carsets::ApplyOutcome::Built)
                state.SkipWithError(s.drive.Ui.Transcript().c_str());
            return seconds;
        };
        const auto runCp = [&] {
            ::sync();
            const double c =
                RunChild({"/bin/cp", "-a", source.string(), copy.string()}, {}).Seconds;
            const auto start = Clock::now();
            ::sync();
            cpSync += c + Seconds(Clock::now() - start);
            return c;
        };
        double b = 0;
        if (first) {
            b = runBuild();
            cp += runCp();
        } else {
            cp += runCp();
            b = runBuild();
        }
        first = !first;
        state.SetIterationTime(b);
        build += b;
        fs::remove_all(store / "League");
        fs::remove_all(copy);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["cp_a_s"] = cp / n;
    state.counters["cp_a_sync_s"] = cpSync / n;
    state.counters["ratio"] = cp > 0 ? build / cp : 0;
    state.counters["ratio_synced"] = cpSync > 0 ? build / cpSync : 0;
}
BENCHMARK(BM_SetBuild_20000Files_400MB_BesideCpA)
    ->UseManualTime()
    ->Iterations(4)
    ->Unit(benchmark::kMillisecond);

}  // namespace
