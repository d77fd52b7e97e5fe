// SPDX-License-Identifier: GPL-3.0-or-later
// The first start's search of a home with 50 Wine prefixes of 10,000 folders each (at the root of
// each prefix's C:, where every lookup there must read them), GPL in the last prefix: as a whole
// `movrand-cli installations` (a fresh process, as a first start is), and in this process, where
// the folder listings are already known after the first turn; beside the least such a search can
// do, one listing of each prefix's C: root. Making the home takes minutes: with
// MOVRAND_BENCH_HOME set it is made there once and kept. Beside it, the search of a home with
// 1,024 and with 10,000 Proton prefixes (no GPL in any), which grows in proportion to them; and
// the walk of one prefix whose C: holds 50,000 folders (GPL in C:\\Games\\GPL, found on the
// way).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "ChildRun.h"
#include "DemoInstallation.h"
#include "TempDrive.h"
#include "installation/Installations.h"

namespace {

namespace fs = std::filesystem;
constexpr int kPrefixes = 50;
constexpr int kFolders = 10000;

const char* KeptHome() {
    const char* kept = std::getenv("MOVRAND_BENCH_HOME");
    return kept && *kept ? kept : nullptr;
}

struct CrowdedHome {
    fs::path root =
        KeptHome() ? fs::path(KeptHome()) : movrand::test::MakeTempFolder("movrand-bench-home-");
    CrowdedHome() {
        if (fs::exists(root / "complete")) return;
        for (int p = 0; p < kPrefixes; ++p) {
            const fs::path prefix =
                root / ".local/share/wineprefixes" / ("prefix" + std::to_string(p));
            if (p == kPrefixes - 1) movrand::demo::MakeDemoPrefix(prefix);
            fs::create_directories(prefix / "dosdevices");
            fs::create_directories(prefix / "drive_c");
            movrand::demo::WriteFile(prefix / "system.reg", "WINE REGISTRY Version 2\n");
            std::error_code ec;
            fs::create_directory_symlink("../drive_c", prefix / "dosdevices/c:", ec);
            fs::create_directory_symlink("/", prefix / "dosdevices/z:", ec);
            for (int f = 0; f < kFolders; ++f)
                fs::create_directory(prefix / "drive_c" / ("Folder" + std::to_string(f)));
        }
        movrand::demo::WriteFile(root / "complete", "");
    }
    ~CrowdedHome() {
        if (!KeptHome()) movrand::test::RemoveTree(root);
    }
};

CrowdedHome& Home() {
    static CrowdedHome home;
    return home;
}

void BM_FirstStartSearch_WholeProcess_50Prefixes_10000Folders(benchmark::State& state) {
    const fs::path home = Home().root;
    const std::vector<std::string> env = {"HOME=" + home.string(),
                                          "XDG_CONFIG_HOME=" + (home / "config").string(),
                                          "XDG_DATA_HOME=" + (home / "data").string()};
    for (auto _ : state) {
        const movrand::bench::ChildCost cost =
            movrand::bench::RunChild({MOVRAND_CLI, "installations"}, env);
        if (cost.Status != 0) state.SkipWithError("movrand-cli installations failed");
        state.SetIterationTime(cost.Seconds);
    }
}
BENCHMARK(BM_FirstStartSearch_WholeProcess_50Prefixes_10000Folders)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_FirstStartSearch_50Prefixes_10000Folders(benchmark::State& state) {
    const fs::path home = Home().root;
    std::size_t found = 0;
    for (auto _ : state) found = movrand::FindInstallations({home, {}}, home / ".wine").size();
    if (found != 1) state.SkipWithError("the one installation was not found");
}
BENCHMARK(BM_FirstStartSearch_50Prefixes_10000Folders)->Unit(benchmark::kMillisecond);

void BM_ListEachPrefixDriveC(benchmark::State& state) {
    const fs::path prefixes = Home().root / ".local/share/wineprefixes";
    for (auto _ : state) {
        std::size_t entries = 0;
        for (const auto& prefix : fs::directory_iterator(prefixes))
            for ([[maybe_unused]] const auto& e : fs::directory_iterator(prefix.path() / "drive_c"))
                ++entries;
        benchmark::DoNotOptimize(entries);
    }
}
BENCHMARK(BM_ListEachPrefixDriveC)->Unit(benchmark::kMillisecond);

// A Steam library with `count` Proton prefixes, each as Proton makes it (system.reg, drive_c and
// dosdevices with c: and z:).
struct ProtonHome {
    fs::path root = movrand::test::MakeTempFolder("movrand-bench-proton-");
    explicit ProtonHome(int count) {
        const fs::path compatdata = root / ".steam/steam/steamapps/compatdata";
        for (int p = 0; p < count; ++p) {
            const fs::path prefix = compatdata / std::to_string(100000 + p) / "pfx";
            fs::create_directories(prefix / "dosdevices");
            fs::create_directories(prefix / "drive_c");
            movrand::demo::WriteFile(prefix / "system.reg", "WINE REGISTRY Version 2\n");
            fs::create_directory_symlink("../drive_c", prefix / "dosdevices/c:");
            fs::create_directory_symlink("/", prefix / "dosdevices/z:");
        }
    }
    ~ProtonHome() { movrand::test::RemoveTree(root); }
};

void BM_SearchProtonPrefixes(benchmark::State& state) {
    const ProtonHome home(static_cast<int>(state.range(0)));
    std::size_t found = 0;
    for (auto _ : state) found = movrand::FindInstallations({home.root, {}}, {}).size();
    if (found != 0) state.SkipWithError("an installation was found where there is none");
}
BENCHMARK(BM_SearchProtonPrefixes)->Arg(1024)->Arg(10000)->Unit(benchmark::kMillisecond);

// One prefix whose C: holds 50,000 folders within the walk's depth: 50 publishers of 100 games of
// 9 folders each, and GPL.
struct WideDriveHome {
    fs::path root = movrand::test::MakeTempFolder("movrand-bench-walk-");
    WideDriveHome() {
        const fs::path prefix = root / ".wine";
        movrand::demo::MakeDemoPrefix(prefix);
        fs::remove_all(prefix / "drive_c/sierra");
        movrand::demo::MakeGplInstallation(prefix / "drive_c/Games/GPL");
        for (int p = 0; p < 50; ++p)
            for (int g = 0; g < 100; ++g) {
                const fs::path game = prefix / "drive_c" / ("Publisher" + std::to_string(p)) /
                                      ("Game" + std::to_string(g));
                for (int f = 0; f < 9; ++f)
                    fs::create_directories(game / ("Data" + std::to_string(f)));
            }
    }
    ~WideDriveHome() { movrand::test::RemoveTree(root); }
};

void BM_SearchPrefixWith50000Folders(benchmark::State& state) {
    const WideDriveHome home;
    std::size_t found = 0;
    for (auto _ : state) found = movrand::FindInstallations({home.root, {}}, {}).size();
    if (found != 1) state.SkipWithError("the one installation was not found");
}
BENCHMARK(BM_SearchPrefixWith50000Folders)->Unit(benchmark::kMillisecond);

}  // namespace
