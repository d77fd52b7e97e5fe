// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include "TempDrive.h"
#include "roster/DriverList.h"

namespace {

// One load of the driver list (38 roster reads and the sorted insertion) on the demo roster's
// working copy.
void BM_LoadDriverList(benchmark::State& state) {
    movrand::test::TempDrive drive;
    for (auto _ : state) benchmark::DoNotOptimize(movrand::LoadDriverList(drive.Pv, drive.Ui));
}
BENCHMARK(BM_LoadDriverList)->Unit(benchmark::kMicrosecond);

}  // namespace
