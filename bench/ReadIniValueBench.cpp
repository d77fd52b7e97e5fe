// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include "TempDrive.h"
#include "roster/IniFunctions.h"

namespace {

// One roster value read through the whole INI path, on the demo roster's working copy.
void BM_ReadIniValue(benchmark::State& state) {
    movrand::test::TempDrive drive;
    for (auto _ : state)
        benchmark::DoNotOptimize(movrand::ReadIniValue(drive.Pv, drive.Ui, "driver_19",
                                                       "car_number", drive.Pv.DriverWorkFile));
}
BENCHMARK(BM_ReadIniValue);

}  // namespace
