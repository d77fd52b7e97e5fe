// SPDX-License-Identifier: GPL-3.0-or-later
// Case-insensitive resolution of a six-component path with 5,000 entries in every folder, beside
// a direct stat of the same native path (the reference), warm.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "TempDrive.h"
#include "wine/WindowsPath.h"

namespace {

namespace fs = std::filesystem;

struct DeepTree {
    movrand::test::TempDrive drive{false};
    fs::path native;
    std::string exactCase = "C:";
    std::string otherCase = "C:";
    DeepTree() {
        fs::path folder = drive.DriveC();
        for (int level = 0; level < 6; ++level) {
            for (int i = 0; i < 4999; ++i)
                std::ofstream(folder / ("Entry" + std::to_string(i) + ".dat"));
            const std::string name = level < 5 ? "Level" + std::to_string(level) : "Target.3do";
            if (level < 5)
                fs::create_directory(folder / name);
            else
                std::ofstream(folder / name);
            folder /= name;
            exactCase += "\\" + name;
            std::string upper = name;
            for (char& c : upper)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            otherCase += "\\" + upper;
        }
        native = folder;
    }
};

DeepTree& Tree() {
    static DeepTree tree;
    return tree;
}

void BM_DirectStat(benchmark::State& state) {
    const std::string path = Tree().native.string();
    struct stat st {};
    for (auto _ : state) benchmark::DoNotOptimize(::stat(path.c_str(), &st));
}
BENCHMARK(BM_DirectStat);

void BM_ResolveExactCase(benchmark::State& state) {
    const movrand::platform::PathResolver resolver(Tree().drive.Pv.Env.Drives);
    for (auto _ : state) benchmark::DoNotOptimize(resolver.ToNative(Tree().exactCase));
}
BENCHMARK(BM_ResolveExactCase);

void BM_ResolveOtherCase(benchmark::State& state) {
    const movrand::platform::PathResolver resolver(Tree().drive.Pv.Env.Drives);
    if (resolver.ToNative(Tree().otherCase) != Tree().native)
        state.SkipWithError("resolved wrongly");
    for (auto _ : state) benchmark::DoNotOptimize(resolver.ToNative(Tree().otherCase));
}
BENCHMARK(BM_ResolveOtherCase);

}  // namespace
