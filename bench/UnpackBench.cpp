// SPDX-License-Identifier: GPL-3.0-or-later
// Unpacking an add-on archive: a .zip of 2,000 files / 200 MB by `movrand-cli unpack` beside
// `bsdtar -xf` (libarchive's own tool) of the same archive, pairs taken in turns, each into an
// empty folder after the disk was flushed; and the peak memory of the unpack.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "ChildRun.h"
#include "TempDrive.h"

namespace {

namespace fs = std::filesystem;
using movrand::bench::ChildCost;
using movrand::bench::RunChild;

constexpr int kFiles = 2000;
constexpr std::size_t kBytes = 100'000;  // 2,000 files of 100 kB: 200 MB

// Add-on-like content: text and binary runs, which deflate packs to about two thirds.
std::string Content(std::mt19937& random) {
    std::string data;
    std::uniform_int_distribution<int> letter('a', 'z'), length(2, 9), binary(0, 9), byte(0, 255);
    while (data.size() < kBytes) {
        for (int n = length(random); n > 0; --n) data += static_cast<char>(letter(random));
        data += ' ';
        if (binary(random) < 3)
            for (int n = 0; n < 8; ++n) data += static_cast<char>(byte(random));
    }
    data.resize(kBytes);
    return data;
}

struct Archive {
    movrand::test::TempDrive scratch{false};
    fs::path root = scratch.Root();
    fs::path zip = root / "pack.zip";
    Archive() {
        std::mt19937 random(31);
        for (int i = 0; i < kFiles; ++i) {
            const fs::path folder = root / "src" / "Pack" / ("team" + std::to_string(i % 20));
            fs::create_directories(folder);
            std::ofstream(folder / ("file" + std::to_string(i) + ".bin"), std::ios::binary)
                << Content(random);
        }
        const ChildCost made = RunChild(
            {"/usr/bin/bsdtar", "-C", (root / "src").string(), "-a", "-cf", zip.string(), "Pack"},
            Env());
        if (made.Status != 0) throw std::runtime_error("bsdtar could not make the archive");
        fs::remove_all(root / "src");
    }
    std::vector<std::string> Env() const {
        return {"XDG_CONFIG_HOME=" + (root / "config").string(),
                "XDG_DATA_HOME=" + (root / "data").string(), "HOME=" + root.string(),
                "PATH=/usr/bin:/bin"};
    }
    // A fresh empty folder to unpack into, the disk flushed first.
    std::string Fresh(const char* name) const {
        fs::remove_all(root / name);
        fs::create_directories(root / name);
        ::sync();
        return (root / name).string();
    }
};

Archive& TheArchive() {
    static Archive archive;
    return archive;
}

void BM_UnpackZip_2000Files_200MB_BesideBsdtar(benchmark::State& state) {
    Archive& a = TheArchive();
    std::vector<double> ratios;
    double ours = 0, theirs = 0, peak = 0, theirPeak = 0;
    for (auto _ : state) {
        const ChildCost reference =
            RunChild({"/usr/bin/bsdtar", "-xf", a.zip.string(), "-C", a.Fresh("bsdtar")}, a.Env());
        const ChildCost cost =
            RunChild({MOVRAND_CLI, "unpack", a.zip.string(), a.Fresh("movrand")}, a.Env());
        if (cost.Status != 0 || reference.Status != 0) state.SkipWithError("an unpack failed");
        state.SetIterationTime(cost.Seconds);
        ours += cost.Seconds, theirs += reference.Seconds;
        ratios.push_back(cost.Seconds / reference.Seconds);
        peak = std::max(peak, cost.PeakResidentKb / 1024.0);
        theirPeak = std::max(theirPeak, reference.PeakResidentKb / 1024.0);
    }
    std::sort(ratios.begin(), ratios.end());
    state.counters["movrand_s"] = ours / static_cast<double>(ratios.size());
    state.counters["bsdtar_s"] = theirs / static_cast<double>(ratios.size());
    state.counters["median_ratio"] = ratios[ratios.size() / 2];
    state.counters["peak_MB"] = peak;
    state.counters["bsdtar_peak_MB"] = theirPeak;
}
BENCHMARK(BM_UnpackZip_2000Files_200MB_BesideBsdtar)
    ->UseManualTime()
    ->Iterations(7)
    ->Unit(benchmark::kMillisecond);

}  // namespace
