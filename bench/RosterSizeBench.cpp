// SPDX-License-Identifier: GPL-3.0-or-later
// Work that grows with its input must grow in step with it: `drivers` on a 50 MB driver.ini
// beside one read of that file, and the removal of an accessory whose record lists 200,000
// files beside unlinking the same files, as `rm` does.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "DemoInstallation.h"
#include "TempDrive.h"
#include "addons/AccessoryRecord.h"
#include "addons/AccessoryRemoval.h"
#include "cli/CliArguments.h"
#include "cli/CliCommands.h"

namespace {

namespace fs = std::filesystem;
using movrand::test::TempDrive;

constexpr std::size_t kRosterBytes = 50'000'000;
constexpr int kRecordFiles = 200'000;
const std::string kTeam = "C:\\sierra\\gpl\\cars\\cars67\\ferrari";

// The demo roster with every section grown by keys the program does not know, to 50 MB.
struct BigRoster {
    TempDrive drive;
    BigRoster() {
        const std::string demo = movrand::demo::SampleRoster();
        const std::string filler = "unknown_key_0000000 = a value the program never reads\r\n";
        const std::size_t perSection = kRosterBytes / 20 / filler.size();
        std::string roster;
        roster.reserve(kRosterBytes + demo.size());
        std::size_t start = 0;
        while (start < demo.size()) {
            std::size_t end = demo.find("\r\n\r\n", start);
            end = end == std::string::npos ? demo.size() : end + 2;
            roster.append(demo, start, end - start);
            for (std::size_t i = 0; i < perSection; ++i) roster += filler;
            start = end;
        }
        drive.Write(drive.Pv.DriverIniFile, roster);
        drive.MakeWorkingCopy();
    }
};

BigRoster& Roster() {
    static BigRoster roster;
    return roster;
}

void BM_Drivers_50MB(benchmark::State& state) {
    BigRoster& r = Roster();
    movrand::cli::CliRequest request;
    request.Command = "drivers";
    for (auto _ : state) {
        std::ostringstream out, err;
        movrand::cli::RunCommand(r.drive.Pv, r.drive.Ui, request, out, err);
        if (out.str().find("19\tChris\tIrwin") == std::string::npos) state.SkipWithError("list");
    }
}
BENCHMARK(BM_Drivers_50MB)->Unit(benchmark::kMillisecond);

void BM_ReadWorkingCopyOnce_50MB(benchmark::State& state) {
    BigRoster& r = Roster();
    for (auto _ : state)
        benchmark::DoNotOptimize(r.drive.Pv.Files().ReadAllBytes(r.drive.Pv.DriverWorkFile));
}
BENCHMARK(BM_ReadWorkingCopyOnce_50MB)->Unit(benchmark::kMillisecond);

// Appended piece by piece: g++ 12 at -O3 warns falsely about such texts built with "+".
std::string FileName(int n) {
    std::string name = "f";
    name += std::to_string(1'000'000 + n);
    name += ".mip";
    return name;
}

std::string InTeam(const std::string& name) {
    std::string path = kTeam;
    path += '\\';
    path += name;
    return path;
}

// The ferrari folder holding 200,000 files of an accessory, and its record naming them.
void InstallBigAccessory(TempDrive& drive, bool withRecord) {
    const fs::path team = drive.Native(kTeam);
    for (int n = 0; n < kRecordFiles; ++n) std::ofstream(team / FileName(n)) << "x";
    if (!withRecord) return;
    movrand::platform::FileSystem fs = drive.Pv.Files();
    movrand::AccessoryRecordWriter record(fs, InTeam("zorvexacc_Big.zorvex"));
    record.WriteStandardFolder("not found!");
    record.WriteFilesHeader();
    for (int n = 0; n < kRecordFiles; ++n) record.WriteFileLine(n + 1, FileName(n));
    for (int n = 0; n < kRecordFiles; ++n) record.WriteStatusLine(FileName(n), false);
    record.Save();
}

void BM_RemoveAccessory_200000Files(benchmark::State& state) {
    TempDrive drive;
    for (auto _ : state) {
        state.PauseTiming();
        InstallBigAccessory(drive, true);
        state.ResumeTiming();
        movrand::platform::FileSystem fs = drive.Pv.Files();
        if (!movrand::TakeOutAccessory(drive.Pv, drive.Ui, fs, kTeam, "Big").Refusal.empty())
            state.SkipWithError("refused");
    }
    if (drive.Exists(InTeam(FileName(0)))) state.SkipWithError("left behind");
}
BENCHMARK(BM_RemoveAccessory_200000Files)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_UnlinkAsRm_200000Files(benchmark::State& state) {
    TempDrive drive;
    const fs::path team = drive.Native(kTeam);
    for (auto _ : state) {
        state.PauseTiming();
        InstallBigAccessory(drive, false);
        state.ResumeTiming();
        for (int n = 0; n < kRecordFiles; ++n) ::unlink((team / FileName(n)).c_str());
    }
}
BENCHMARK(BM_UnlinkAsRm_200000Files)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
