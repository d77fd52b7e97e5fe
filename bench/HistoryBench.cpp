// SPDX-License-Identifier: GPL-3.0-or-later
// The installation's history: listing 10,000 steps (what `movrand-cli history` reads: the index
// alone) must stay far under 200 ms.
#include <benchmark/benchmark.h>

#include <sstream>

#include "TempDrive.h"
#include "history/HistoryPlace.h"

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

}  // namespace
