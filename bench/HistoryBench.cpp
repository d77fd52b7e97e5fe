// SPDX-License-Identifier: GPL-3.0-or-later
// The installation's history: listing 10,000 steps (what `movrand-cli history` reads: the index
// alone) must stay far under 200 ms; thirty restores in a random order over the demo's history
// with two swaps must each take under a second and write no step file over 256 KB.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <sstream>

#include "../tests/addons/AddOnFixture.h"
#include "GameGuard.h"
#include "TempDrive.h"
#include "addons/InstalledItems.h"
#include "folders/CarFolderSwap.h"
#include "history/HistoryPlace.h"
#include "history/HistoryRestore.h"
#include "roster/CarNumbers.h"
#include "roster/DriverMatching.h"

namespace {

void BM_HistoryList_10000Steps(benchmark::State& state) {
    movrand::test::TempDrive drive;
    movrand::history::HistoryPlace place(drive.Pv);
    place.Create();
    std::string index = "movrand-history 1\t1\n";
    for (int n = 1; n <= 10000; ++n) {
        movrand::history::Step step;
        step.Number = n;
        step.When = "2026-12-07T18:00:00";
        step.User = "player";
        step.Program = "movrand";
        step.Summary = "Installed Ferrari 312 (complete car) into Ferrari";
        step.BytesKept = 200'000'000;
        index += movrand::history::IndexLine(step) + "\n";
    }
    place.Files().WriteWholeFile(place.Index(), index);
    for (auto _ : state) {
        std::ostringstream out;
        for (const movrand::history::Step& step : place.ReadIndex())
            out << step.Number << '\t' << step.When << '\t' << step.User << '\t' << step.Summary
                << '\n';
        benchmark::DoNotOptimize(out.str());
    }
}
BENCHMARK(BM_HistoryList_10000Steps)->Unit(benchmark::kMillisecond);

// The demo's add-ons and a stored car folder through a player's week: installs, removals, car
// numbers, the match of drivers to cars, and two swaps (by Move, then by Copy).
void DemoWeek(movrand::test::AddOnDrive& d) {
    using movrand::test::kClassic;
    d.Ui.DefaultAnswer = true;
    movrand::test::WriteCarFolder(d.Native("C:\\carfolders\\classic"), "classic");
    movrand::test::WriteCarFolder(d.Native("C:\\carfolders\\modern"), "modern");
    d.Install(kClassic, "Ferrari 312");
    movrand::AssignCarNumber(d.Pv, d.Ui, 3, "12");
    movrand::SwapCarFolder(d.Pv, d.Ui,
                           {"C:\\carfolders\\classic", "C:\\carfolders", "old1", false, true});
    d.Install(kClassic, "Red Wheels");
    movrand::MatchDriversToCars(d.Pv, d.Ui);
    movrand::AssignCarNumber(d.Pv, d.Ui, 5, "21");
    movrand::SwapCarFolder(d.Pv, d.Ui,
                           {"C:\\carfolders\\modern", "C:\\carfolders", "old2", false, false});
    d.Install(kClassic, "Ferrari 312");
    d.Install(kClassic, "Chrome Mirrors");
    movrand::AssignCarNumber(d.Pv, d.Ui, 7, "30");
}

// Each restore as the player starts it (plan, then carry out), timed on its own; the benchmark's
// time is the slowest of the thirty, the counters the mean and the largest step file written.
void BM_HistoryThirtyRandomRestores_DemoWithTwoSwaps(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        movrand::test::AddOnDrive d;
        DemoWeek(d);
        const movrand::history::HistoryPlace place(d.Pv);
        const int steps = static_cast<int>(place.ReadIndex().size());
        std::mt19937 random(7);
        double slowest = 0, total = 0;
        std::uintmax_t largest = 0;
        int done = 0;
        for (int round = 0; round < 30; ++round) {
            const int target = static_cast<int>(random() % static_cast<unsigned>(steps));
            const auto start = std::chrono::steady_clock::now();
            const movrand::history::RestorePlan plan = movrand::history::PlanRestore(d.Pv, target);
            if (!plan.Refusal.empty()) continue;
            const movrand::history::RestoreResult result =
                movrand::history::CarryOut(d.Pv, d.Ui, plan);
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (result.Outcome != movrand::history::RestoreOutcome::Done) {
                state.SkipWithError(("restore failed: " + result.Message).c_str());
                return;
            }
            ++done;
            slowest = std::max(slowest, seconds);
            total += seconds;
            largest = std::max(
                largest, std::filesystem::file_size(place.Native(place.StepFile(result.Step))));
        }
        state.SetIterationTime(slowest);
        state.counters["restores"] = done;
        state.counters["mean_ms"] = 1000 * total / std::max(done, 1);
        state.counters["slowest_ms"] = 1000 * slowest;
        state.counters["largest_step_kB"] = static_cast<double>(largest) / 1024;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_HistoryThirtyRandomRestores_DemoWithTwoSwaps)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
