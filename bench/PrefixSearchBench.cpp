// The first start's search of a home with 50 Wine prefixes of 10,000 folders each (at the root of
// each prefix's C:, where every lookup there must read them), GPL in the last prefix, beside the
// least such a search can do: one listing of each prefix's C: root. Warm; the first, colder, run
// is the first iteration.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "DemoInstallation.h"
#include "TempDrive.h"
#include "app/Installations.h"

namespace {

namespace fs = std::filesystem;
constexpr int kPrefixes = 50;
constexpr int kFolders = 10000;

struct CrowdedHome {
    fs::path root = movrand::test::MakeTempFolder("movrand-bench-home-");
    CrowdedHome() {
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
    }
    ~CrowdedHome() { movrand::test::RemoveTree(root); }
};

CrowdedHome& Home() {
    static CrowdedHome home;
    return home;
}

void BM_FirstStartSearch_50Prefixes_10000Folders(benchmark::State& state) {
    const fs::path home = Home().root;
    std::size_t found = 0;
    for (auto _ : state) found = movrand::FindInstallations(home, home / ".wine").size();
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

}  // namespace
