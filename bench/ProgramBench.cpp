// SPDX-License-Identifier: GPL-3.0-or-later
// Whole programs started as a user starts them, on the demo installation: the peak resident
// memory of the car folder swap (and of installing a complete car, where the console program
// offers it) beside the console program doing nearly nothing; and the desktop program's start-up
// to its shown main window beside a bare Qt window started the same way.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "BigCarFolder.h"
#include "ChildRun.h"
#include "DemoAddOns.h"
#include "DemoInstallation.h"
#include "TempDrive.h"
#include "platform/SettingsStore.h"

namespace {

namespace fs = std::filesystem;
using movrand::bench::ChildCost;
using movrand::bench::RunChild;

// A demo Wine prefix with its own settings and program folder under a temporary folder, the
// stored DriverIniFile pointing at its installation, as after a first start.
struct DemoMachine {
    movrand::test::TempDrive scratch{false};
    fs::path root = scratch.Root() / "machine";
    fs::path prefix = root / "prefix";
    fs::path gpl = prefix / "drive_c" / "sierra" / "gpl";
    DemoMachine() {
        movrand::demo::MakeDemoPrefix(prefix);
        fs::create_directories(root / "runtime");
        fs::permissions(root / "runtime", fs::perms::owner_all, fs::perm_options::replace);
        movrand::platform::SettingsStore(root / "config")
            .Save("Zorvex", "Movrand", "DriverIniFile", "C:\\sierra\\gpl\\driver.ini");
    }
    std::vector<std::string> Env(bool gui) const {
        std::vector<std::string> env = {"WINEPREFIX=" + prefix.string(),
                                        "XDG_CONFIG_HOME=" + (root / "config").string(),
                                        "XDG_DATA_HOME=" + (root / "data").string(),
                                        "HOME=" + root.string(), "PATH=/usr/bin:/bin"};
        if (gui) {
            env.push_back("QT_QPA_PLATFORM=offscreen");
            env.push_back("XDG_RUNTIME_DIR=" + (root / "runtime").string());
        }
        return env;
    }
    ChildCost Cli(const std::vector<std::string>& args) const {
        std::vector<std::string> argv = {MOVRAND_CLI, "--gpl", gpl.string(), "--yes"};
        argv.insert(argv.end(), args.begin(), args.end());
        return RunChild(argv, Env(false));
    }
};

DemoMachine& Machine() {
    static DemoMachine machine;
    return machine;
}

void Report(benchmark::State& state, const ChildCost& cost, double& peakMb) {
    if (cost.Status != 0) state.SkipWithError("the program failed");
    state.SetIterationTime(cost.Seconds);
    peakMb = std::max(peakMb, static_cast<double>(cost.PeakResidentKb) / 1024.0);
}

// The reference: the console program listing the roster.
void BM_PeakMemory_ListingTheRoster(benchmark::State& state) {
    double peak = 0;
    for (auto _ : state) Report(state, Machine().Cli({"drivers"}), peak);
    state.counters["peak_MB"] = peak;
}
BENCHMARK(BM_PeakMemory_ListingTheRoster)->UseManualTime()->Iterations(5);

// The swap by Copy of a stored folder of 200 MB in 2,000 files, the old folder renamed aside.
void BM_PeakMemory_SwapByCopy_200MB_2000Files(benchmark::State& state) {
    DemoMachine& m = Machine();
    const fs::path stored = m.root / "stored";
    const fs::path live = m.gpl / "cars" / "cars67";
    if (!fs::exists(stored)) movrand::bench::MakeBigCarFolder(stored, 2000, 100'000, false);
    double peak = 0;
    for (auto _ : state) {
        Report(state,
               m.Cli({"swap", stored.string(), "--rename", m.root.string(), "old", "--copy"}),
               peak);
        fs::remove_all(live);
        fs::rename(m.root / "old", live);
    }
    state.counters["peak_MB"] = peak;
}
BENCHMARK(BM_PeakMemory_SwapByCopy_200MB_2000Files)->UseManualTime()->Iterations(3);

// The swap by Move of a stored folder of 20,000 files, the old live folder of 20,000 files
// deleted.
void BM_PeakMemory_SwapByMoveDeleting_20000Files(benchmark::State& state) {
    DemoMachine& m = Machine();
    const fs::path stored = m.root / "stored-big";
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        movrand::bench::MakeBigCarFolder(stored, 20000, 100'000, true);
        state.ResumeTiming();
        Report(state, m.Cli({"swap", stored.string(), "--delete", "--move"}), peak);
    }
    state.counters["peak_MB"] = peak;
}
BENCHMARK(BM_PeakMemory_SwapByMoveDeleting_20000Files)->UseManualTime()->Iterations(2);

// Installing a complete car of 200 MB in 2,000 files, over the program's own car after the
// first turn.
void BM_PeakMemory_InstallCompleteCar_200MB_2000Files(benchmark::State& state) {
    DemoMachine& m = Machine();
    const fs::path pack = m.prefix / "drive_c" / "addons" / "Big Car Pack";
    if (!fs::exists(pack)) {
        movrand::demo::MakeAddOnFolder(
            pack, {"ferrari", {{"Big Car", "car", {}, "A big car.\r\n", true, true}}});
        movrand::bench::MakeFiles(pack / "Big Car", 2000, 100'000);
    }
    double peak = 0;
    for (auto _ : state)
        Report(state, m.Cli({"install", "C:\\addons\\Big Car Pack", "Big Car"}), peak);
    state.counters["peak_MB"] = peak;
}
BENCHMARK(BM_PeakMemory_InstallCompleteCar_200MB_2000Files)->UseManualTime()->Iterations(3);

#ifdef MOVRAND_SHOWN_MAIN_WINDOW
// Start-up to the first paint of the main window on the demo, beside a bare Qt window and a Qt
// window with one line of text: the three take turns; the time is the program's, the counters
// give the references' times and the ratios.
void BM_StartUpToShownMainWindow_BesideBareWindow(benchmark::State& state) {
    DemoMachine& m = Machine();
    double program = 0;
    double bare = 0;
    double text = 0;
    for (auto _ : state) {
        const ChildCost reference = RunChild({MOVRAND_BARE_WINDOW}, m.Env(true));
        const ChildCost withText = RunChild({MOVRAND_TEXT_WINDOW}, m.Env(true));
        const ChildCost cost = RunChild({MOVRAND_SHOWN_MAIN_WINDOW}, m.Env(true));
        if (cost.Status != 0 || reference.Status != 0 || withText.Status != 0)
            state.SkipWithError("a program failed");
        state.SetIterationTime(cost.Seconds);
        program += cost.Seconds;
        bare += reference.Seconds;
        text += withText.Seconds;
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["bare_window_ms"] = 1000 * bare / n;
    state.counters["text_window_ms"] = 1000 * text / n;
    state.counters["ratio"] = bare > 0 ? program / bare : 0;
    state.counters["ratio_to_text_window"] = text > 0 ? program / text : 0;
    state.counters["text_window_to_bare"] = bare > 0 ? text / bare : 0;
}
BENCHMARK(BM_StartUpToShownMainWindow_BesideBareWindow)
    ->UseManualTime()
    ->Iterations(30)
    ->Unit(benchmark::kMillisecond);
#endif

#ifdef MOVRAND_MAIN_WINDOW_WITHOUT_WEBENGINE
// Start-up to the first paint of the main window from this build (the web engine in a library
// loaded on the first page) beside the same start-up from a build without the web engine, and
// beside a program that links the web engine in; the three take turns. The time is this
// build's; the counters give the others' times and the ratios.
void BM_StartUp_WebEngineBuild_BesideBuildWithout(benchmark::State& state) {
    DemoMachine& m = Machine();
    double with = 0;
    double without = 0;
    double linked = 0;
    for (auto _ : state) {
        const ChildCost plain = RunChild({MOVRAND_MAIN_WINDOW_WITHOUT_WEBENGINE}, m.Env(true));
        const ChildCost cost = RunChild({MOVRAND_SHOWN_MAIN_WINDOW}, m.Env(true));
        const ChildCost linkedIn = RunChild({MOVRAND_MAIN_WINDOW_WEBENGINE_LINKED}, m.Env(true));
        if (cost.Status != 0 || plain.Status != 0 || linkedIn.Status != 0)
            state.SkipWithError("a program failed");
        state.SetIterationTime(cost.Seconds);
        with += cost.Seconds;
        without += plain.Seconds;
        linked += linkedIn.Seconds;
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["without_webengine_ms"] = 1000 * without / n;
    state.counters["webengine_linked_ms"] = 1000 * linked / n;
    state.counters["ratio"] = without > 0 ? with / without : 0;
    state.counters["linked_ratio"] = without > 0 ? linked / without : 0;
}
BENCHMARK(BM_StartUp_WebEngineBuild_BesideBuildWithout)
    ->UseManualTime()
    ->Iterations(30)
    ->Repetitions(5)
    ->Unit(benchmark::kMillisecond);
#endif

}  // namespace
