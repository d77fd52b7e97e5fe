// SPDX-License-Identifier: GPL-3.0-or-later
// What making a replaced file survive a power cut costs: the one replace (written beside,
// synced, renamed, folder synced) beside the same steps without the two syncs, on a disk flushed
// before each replace.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "TempDrive.h"
#include "platform/WholeFileReplace.h"

namespace {

namespace fs = std::filesystem;

// The same steps as the one replace, without its two syncs.
void ReplaceUnsynced(const fs::path& target, const std::string& bytes) {
    const fs::path temporary = target.parent_path() / movrand::platform::TemporaryName();
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    movrand::platform::WriteAllBytes(fd, bytes);
    ::close(fd);
    fs::rename(temporary, target);
}

void Replace(benchmark::State& state, bool synced) {
    const fs::path folder = movrand::test::MakeTempFolder("movrand-bench-durable-");
    const fs::path target = folder / "driver.ini";
    const std::string bytes(static_cast<std::size_t>(state.range(0)), 'x');
    std::ofstream(target) << "old";
    for (auto _ : state) {
        state.PauseTiming();
        ::sync();
        state.ResumeTiming();
        if (synced)
            movrand::platform::ReplaceFileWithBytes(target, bytes);
        else
            ReplaceUnsynced(target, bytes);
    }
    movrand::test::RemoveTree(folder);
}

void BM_ReplaceWhole_Synced(benchmark::State& state) {
    Replace(state, true);
}
void BM_ReplaceWhole_WithoutSyncs(benchmark::State& state) {
    Replace(state, false);
}
// A roster of 50 KB (the demo's is 4 KB, a full season's about 50 KB) and a 1 MB texture.
BENCHMARK(BM_ReplaceWhole_Synced)->Arg(50 << 10)->Arg(1 << 20)->Iterations(40)->UseRealTime();
BENCHMARK(BM_ReplaceWhole_WithoutSyncs)->Arg(50 << 10)->Arg(1 << 20)->Iterations(40)->UseRealTime();

}  // namespace
