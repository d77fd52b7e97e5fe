// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "DemoAddOns.h"
#include "TempDrive.h"
#include "addons/InstallAddOnFiles.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kFiles = 2000;
constexpr std::size_t kFileBytes = 100'000;  // 2,000 files of 100 kB: 200 MB

// A complete car of 2,000 files under C:\addons\Big Car Pack, made once per run.
movrand::test::TempDrive& Drive() {
    static movrand::test::TempDrive drive;
    static bool made = false;
    if (!made) {
        movrand::demo::MakeAddOnFolder(
            drive.DriveC() / "addons" / "Big Car Pack",
            {"ferrari", {{"Big Car", "car", {}, "A big car.\r\n", true, true}}});
        const fs::path entry = drive.DriveC() / "addons" / "Big Car Pack" / "Big Car";
        std::mt19937_64 random(67);
        std::string bytes(kFileBytes, '\0');
        for (int i = 0; i < kFiles; ++i) {
            for (std::size_t k = 0; k + 8 <= bytes.size(); k += 8) {
                const std::uint64_t value = random();
                bytes.replace(k, 8, reinterpret_cast<const char*>(&value), 8);
            }
            std::ofstream(entry / ("part" + std::to_string(i) + ".mip"), std::ios::binary) << bytes;
        }
        made = true;
    }
    return drive;
}

// Leaves the team folder holding only the team's .dat, as the game ships a team without a car.
void EmptyTeamFolder(movrand::test::TempDrive& drive) {
    const fs::path team = drive.DriveC() / "sierra" / "gpl" / "cars" / "cars67" / "ferrari";
    for (const auto& entry : fs::directory_iterator(team))
        if (entry.path().filename() != "ferrari.dat") fs::remove_all(entry.path());
    fs::remove_all(drive.DriveC() / "sierra" / "gpl" / "cars" / "replacedcars");
}

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Installs the car and, in the same iteration, copies the same files with `cp -a`; the
// benchmark's time is the installation's, the counters give cp -a's and the ratio. Before each
// iteration both targets are emptied and written data is flushed, and the two take turns in
// going first (across the repetitions), so neither pays for the other's deletions or
// write-back. The machine's other work makes single runs vary; the aggregates tell.
void BM_InstallCompleteCarBesideCpA(benchmark::State& state) {
    movrand::test::TempDrive& drive = Drive();
    const fs::path entry = drive.DriveC() / "addons" / "Big Car Pack" / "Big Car";
    const fs::path copy = drive.Root() / "cp-a-target";
    const std::string command = "cp -a '" + entry.string() + "/.' '" + copy.string() + "/'";
    double install = 0;
    double cp = 0;
    static bool installFirst = true;
    for (auto _ : state) {
        EmptyTeamFolder(drive);
        fs::remove_all(copy);
        fs::create_directory(copy);
        ::sync();

        auto runInstall = [&] {
            const auto start = Clock::now();
            const auto outcome = movrand::InstallAddOnFiles(
                drive.Pv, drive.Ui, false, "ferrari", "C:\\addons\\Big Car Pack\\Big Car",
                "Big Car", "", "C:\\addons\\Big Car Pack");
            if (outcome != movrand::InstallOutcome::Installed)
                state.SkipWithError("installation failed");
            return Seconds(Clock::now() - start);
        };
        auto runCp = [&] {
            const auto start = Clock::now();
            if (std::system(command.c_str()) != 0) state.SkipWithError("cp -a failed");
            return Seconds(Clock::now() - start);
        };
        double installSeconds = 0;
        double cpSeconds = 0;
        if (installFirst) {
            installSeconds = runInstall();
            cpSeconds = runCp();
        } else {
            cpSeconds = runCp();
            installSeconds = runInstall();
        }
        installFirst = !installFirst;

        state.SetIterationTime(installSeconds);
        install += installSeconds;
        cp += cpSeconds;
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["cp_a_ms"] = benchmark::Counter(1000 * cp / iterations);
    state.counters["install_ms"] = benchmark::Counter(1000 * install / iterations);
    state.counters["ratio"] = benchmark::Counter(install / cp);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kFiles *
                            static_cast<std::int64_t>(kFileBytes));
}
BENCHMARK(BM_InstallCompleteCarBesideCpA)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// Installs the car again over the same car installed by the program, and in the same iteration
// deletes a copy of the same files with `rm -rf` and makes it again with `cp -a`: what a user
// would do by hand. Both targets hold the car before each iteration (the previous iteration left
// it there), written data is flushed before each of the two, and they take turns in going first.
void BM_ReinstallCompleteCarBesideRmCpA(benchmark::State& state) {
    movrand::test::TempDrive& drive = Drive();
    const fs::path entry = drive.DriveC() / "addons" / "Big Car Pack" / "Big Car";
    const fs::path copy = drive.Root() / "rm-cp-a-target";
    const std::string command = "rm -rf '" + copy.string() + "' && mkdir '" + copy.string() +
                                "' && cp -a '" + entry.string() + "/.' '" + copy.string() + "/'";
    auto install = [&] {
        ::sync();
        const auto start = Clock::now();
        const auto outcome = movrand::InstallAddOnFiles(drive.Pv, drive.Ui, false, "ferrari",
                                                        "C:\\addons\\Big Car Pack\\Big Car",
                                                        "Big Car", "", "C:\\addons\\Big Car Pack");
        if (outcome != movrand::InstallOutcome::Installed)
            state.SkipWithError("installation failed");
        return Seconds(Clock::now() - start);
    };
    auto rmCp = [&] {
        ::sync();
        const auto start = Clock::now();
        if (std::system(command.c_str()) != 0) state.SkipWithError("rm -rf + cp -a failed");
        return Seconds(Clock::now() - start);
    };
    EmptyTeamFolder(drive);
    install();
    rmCp();
    double installTotal = 0;
    double rmCpTotal = 0;
    bool installFirst = true;
    for (auto _ : state) {
        double installSeconds = 0;
        double rmCpSeconds = 0;
        if (installFirst) {
            installSeconds = install();
            rmCpSeconds = rmCp();
        } else {
            rmCpSeconds = rmCp();
            installSeconds = install();
        }
        installFirst = !installFirst;
        state.SetIterationTime(installSeconds);
        installTotal += installSeconds;
        rmCpTotal += rmCpSeconds;
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["rm_cp_a_ms"] = benchmark::Counter(1000 * rmCpTotal / iterations);
    state.counters["reinstall_ms"] = benchmark::Counter(1000 * installTotal / iterations);
    state.counters["ratio"] = benchmark::Counter(installTotal / rmCpTotal);
}
BENCHMARK(BM_ReinstallCompleteCarBesideRmCpA)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(1);

}  // namespace
