// SPDX-License-Identifier: GPL-3.0-or-later
// The car folder swap as a hostile user meets it through movrand-cli: folders that cannot take
// part, a second file system, runs killed half-way, journals damaged or not matching the disk.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <tuple>

#include "CliRunner.h"
#include "FileSnapshot.h"
#include "GameGuard.h"
#include "KilledRun.h"
#include "OtherDisk.h"
#include "folders/SwapJournal.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;
using Args = std::vector<std::string>;

struct Machine : CliMachine {
    std::unique_ptr<OtherDisk> Disk;
    fs::path D;        // what drive D: maps
    std::string Skip;  // why a case cannot run on this machine, or ""

    void MapD(const fs::path& native) {
        fs::create_directory_symlink(native, Prefix() / "dosdevices" / "d:");
        D = native;
    }
    void OtherDiskAsD(std::uintmax_t bytes = 64u << 20) {
        Disk = std::make_unique<OtherDisk>(bytes);
        if (!Disk->Empty()) MapD(Disk->Folder());
        Skip = Disk->Why();
    }
    fs::path Native(std::string windows) const {
        std::replace(windows.begin(), windows.end(), '\\', '/');
        return (windows[0] == 'D' ? D : DriveC()) / windows.substr(3);
    }
    fs::path Live() const { return Gpl() / "cars" / "cars67"; }
    fs::path Journal() const { return Data() / "movrand" / "swap.zorvex"; }
    // Every file of C: and D:, every name beside the live folder, the journal.
    Tree Files() const {
        Tree files = TreeOf(DriveC());
        // The history's own records of the run that was cut short are settled at the start.
        std::erase_if(files, [](const auto& file) {
            return file.first.rfind("sierra/gpl/movrand/history/", 0) == 0 &&
                   file.first.find("/content/") == std::string::npos;
        });
        if (!D.empty() && D != "/proc")
            for (const auto& [name, bytes] : TreeOf(D)) files["D:/" + name] = bytes;
        for (const auto& e : fs::directory_iterator(Live().parent_path()))
            files["beside live: " + e.path().filename().string()] = "";
        if (fs::exists(Journal())) files["journal"] = Read(Journal());
        return files;
    }
};

Args Swap(Args mode) {
    mode.insert(mode.begin(), {"--yes", "swap"});
    return mode;
}

const std::string kStored = "C:\\carfolders\\cars67_classic";
const Args kCopyOverOld = {kStored, "--rename", "C:\\carfolders", "old", "--copy"};

void Rewrite(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// The swap kCopyOverOld (over an earlier C:\carfolders\old) killed while it copies the stored
// folder; the journal it left.
std::string CutShortWhileCopying(Machine& m) {
    if (!CanTraceChildren()) {
        m.Skip = "this machine does not let a test trace its children";
        return "";
    }
    fs::create_directories(m.DriveC() / "carfolders" / "old");
    Rewrite(m.DriveC() / "carfolders" / "old" / "f", "an earlier folder's file");
    Machine prepared;
    prepared.CopyFrom(m);
    const int calls = RunKilledAt(m, Swap(kCopyOverOld), 0).ChangingCalls;
    for (int point = calls / 2; point < calls; ++point) {
        m.CopyFrom(prepared);
        RunKilledAt(m, Swap(kCopyOverOld), point);
        if (fs::exists(m.Live().string() + ".movrand-copy/brm"))
            return CliMachine::Read(m.Journal());
    }
    ADD_FAILURE() << "the copy was never cut short";
    return "";
}

// The stored folder's ferrari team folder made a link to a folder of private files elsewhere.
void LinkStoredFerrari(Machine& m) {
    const fs::path ferrari = m.DriveC() / "carfolders" / "cars67_classic" / "ferrari";
    fs::rename(ferrari, m.DriveC() / "keys");
    Rewrite(m.DriveC() / "keys" / "id_rsa", "private key");
    fs::create_directory_symlink(m.DriveC() / "keys", ferrari);
}

// One hostile case: what is done to a fresh demo machine, the swap asked for, and the message
// that refuses it. Nothing may change: not a file of drives C: and D:, nor what is beside the
// live folder, nor a journal left by a swap cut short, which the next start reports too.
struct Hostile {
    const char* Name;
    Args Mode;
    const char* Told;
    void (*Arrange)(Machine&) = nullptr;
};

const char* kNotAsRecorded = "its folders are not what its record says";

const Hostile kCases[] = {
    {"SourceIsTheLiveFolder",
     {"c:\\SIERRA\\gpl\\cars\\CARS67", "--rename", "C:\\carfolders", "old"},
     "The folder c:\\SIERRA\\gpl\\cars\\CARS67 is the current GPL car folder"},
    {"SourceHoldsTheLiveFolder",
     {"C:\\sierra\\gpl\\cars", "--delete"},
     "The folder C:\\sierra\\gpl\\cars holds the current GPL car folder",
     [](Machine& m) { WriteCarFolder(m.Gpl() / "cars", "outer"); }},
    {"DestinationMissing",
     {kStored, "--rename", "C:\\nowhere", "old"},
     "The destination folder C:\\nowhere does not exist"},
    {"NewPlaceInsideTheLiveFolder",
     {kStored, "--rename", "C:\\sierra\\gpl\\cars\\cars67", "old"},
     "cannot be moved to C:\\sierra\\gpl\\cars\\cars67\\old, which is the current GPL car folder "
     "or lies inside it"},
    {"NewPlaceIsTheSource",
     {kStored, "--rename", "C:\\carfolders", "cars67_classic", "--move"},
     "cannot be moved to C:\\carfolders\\cars67_classic, which is the folder that is to become"},
    {"NewPlaceHoldsTheInstallation",
     {kStored, "--rename", "C:\\sierra", "gpl"},
     "cannot be moved to C:\\sierra\\gpl, which holds the current GPL car folder"},
    {"ReadOnlyFileInTheFolderToOverwrite",
     {kStored, "--rename", "C:\\carfolders", "old"},
     "The folder C:\\carfolders\\old holds read-only files, so it cannot be overwritten",
     [](Machine& m) {
         fs::create_directories(m.DriveC() / "carfolders" / "old");
         Rewrite(m.DriveC() / "carfolders" / "old" / "x", "locked");
         fs::permissions(m.DriveC() / "carfolders" / "old" / "x", fs::perms::owner_read);
     }},
    {"DestinationNotWritable",
     {kStored, "--rename", "C:\\carfolders", "old"},
     "A new folder cannot be made in C:\\carfolders",
     [](Machine& m) {
         fs::permissions(m.DriveC() / "carfolders", fs::perms::owner_read | fs::perms::owner_exec);
     }},
    {"DestinationIsProc",
     {kStored, "--rename", "D:\\", "old", "--move"},
     "A new folder cannot be made in D:\\",
     [](Machine& m) { m.MapD("/proc"); }},
    {"DestinationTooSmall",
     {kStored, "--rename", "D:\\", "old"},
     "There is not enough free space in D:\\ for the current GPL car folder",
     [](Machine& m) { m.OtherDiskAsD(64 * 1024); }},
    {"StoredTeamFolderIsALinkCopied", kCopyOverOld,
     "The folder C:\\carfolders\\cars67_classic holds links or other entries that are not plain "
     "files or folders, which a car folder swap does not carry: \"ferrari\"",
     [](Machine& m) { LinkStoredFerrari(m); }},
    {"StoredTeamFolderIsALinkMoved",
     {kStored, "--rename", "C:\\carfolders", "old", "--move"},
     "which a car folder swap does not carry: \"ferrari\"",
     [](Machine& m) { LinkStoredFerrari(m); }},
    {"StoredFileIsAFifo", kCopyOverOld, "which a car folder swap does not carry: \"brm\\brm.dat\"",
     [](Machine& m) {
         const fs::path dat = m.DriveC() / "carfolders" / "cars67_classic" / "brm" / "brm.dat";
         fs::remove(dat);
         ::mkfifo(dat.c_str(), 0644);
     }},
    {"JournalWithOneBitFlipped", kCopyOverOld,
     "The record of a car folder swap that was cut short is damaged",
     [](Machine& m) {
         std::string j = CutShortWhileCopying(m);
         if (j.empty()) return;
         j[j.size() / 3] ^= 0x04;
         Rewrite(m.Journal(), j);
     }},
    {"FolderNumbersChangedByARemount", kCopyOverOld, kNotAsRecorded,
     [](Machine& m) {
         SwapJournal j = ParseSwapJournal(CutShortWhileCopying(m)).value_or(SwapJournal{});
         j.LiveNumber += 1;
         Rewrite(m.Journal(), SwapJournalText(j));
     }},
    {"UsersFolderUnderTheStagedName", kCopyOverOld, kNotAsRecorded,
     [](Machine& m) {
         CutShortWhileCopying(m);
         WriteCarFolder(m.Live().string() + ".movrand-swap", "mine");
     }},
    {"PartialCopyWithoutItsMarker", kCopyOverOld, kNotAsRecorded,
     [](Machine& m) {
         CutShortWhileCopying(m);
         fs::remove(m.Live().string() + ".movrand-copy/zorvexswap.zorvex");
     }},
};

class HostileSwap : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostileSwap, IsRefusedWithAMessageAndNothingChanges) {
    const Hostile& h = GetParam();
    Machine m;
    if (h.Arrange) h.Arrange(m);
    if (!m.Skip.empty()) GTEST_SKIP() << m.Skip;
    const Tree before = m.Files();
    if (fs::exists(m.Journal())) {
        const CliRun start = m.Run({"drivers"});
        EXPECT_EQ(start.Status, 0) << start.Err;
        EXPECT_TRUE(start.Out.find(h.Told) != std::string::npos &&
                    start.Out.find("cars67.movrand-copy") != std::string::npos)
            << start.Out;
    }
    const CliRun run = m.Run(Swap(h.Mode));
    EXPECT_EQ(run.Status, 1) << run.Out << run.Err;
    EXPECT_NE(run.Out.find(h.Told), std::string::npos) << run.Out;
    EXPECT_EQ(Differences(m.Files(), before), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileSwap, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// Killed before file-changing calls spread over the whole run while a folder crosses to another
// file system, then started again: nothing lost, the stored folder whole wherever the swap was
// undone, and the swap run again leaves what a clean run leaves.
TEST(KilledSwap, AcrossFileSystemsLosesNothingAndCompletes) {
    if (!CanTraceChildren()) GTEST_SKIP() << "this machine does not let a test trace its children";
    for (const auto& [source, to, target] :
         {std::tuple{"D:\\stored", "C:\\carfolders", "C:\\carfolders\\old"},
          std::tuple{"C:\\carfolders\\cars67_classic", "D:\\", "D:\\old"}}) {
        const Args mode = Swap({source, "--move", "--rename", to, "old"});
        const auto prepare = [&](Machine& m) {
            m.OtherDiskAsD();
            if (!m.Skip.empty() || source[0] != 'D') return;
            fs::copy(m.Native(kStored), m.Native(source), fs::copy_options::recursive);
            fs::remove_all(m.Native(kStored));
        };
        Machine counter;
        prepare(counter);
        if (!counter.Skip.empty()) GTEST_SKIP() << counter.Skip;
        const int calls = RunKilledAt(counter, mode, 0).ChangingCalls;
        for (int point = calls / 10; point < calls; point += calls / 10) {
            SCOPED_TRACE(std::string(source) + " killed before call " + std::to_string(point));
            Machine m;
            prepare(m);
            const GameGuard guard = GameGuard::Take({m.DriveC(), m.D}, m.Gpl());
            const Tree old = TreeOf(m.Live()), stored = TreeOf(m.Native(source));
            ASSERT_TRUE(RunKilledAt(m, mode, point).Killed);
            EXPECT_EQ(guard.Lost(), std::vector<std::string>{});
            EXPECT_EQ(guard.LiveCarFolderProblem(), "");
            const CliRun start = m.Run({"drivers"});
            EXPECT_TRUE(start.Status == 0 && start.Out.find("message:") == std::string::npos)
                << start.Out << start.Err;
            if (TreeOf(m.Live()) == old) {
                EXPECT_EQ(TreeOf(m.Native(source)), stored) << "undone";
                EXPECT_EQ(m.Run(mode).Status, 0);
            }
            EXPECT_EQ(TreeOf(m.Live()), stored);
            EXPECT_EQ(TreeOf(m.Native(target)), old);
            EXPECT_FALSE(fs::exists(m.Native(source)) || fs::exists(m.Journal()));
            EXPECT_EQ(guard.Lost(), std::vector<std::string>{});
            if (HasFailure()) return;
        }
    }
}

// Killed while the history takes a stored folder in from another file system (a swap by Move
// deletes its source into the history): no part of the copy ever stands among the kept folders
// under a step's name, the next start removes the part, and the history is sound.
TEST(KilledSwap, KeepsNoPartOfACopyAmongTheKeptFolders) {
    if (!CanTraceChildren()) GTEST_SKIP() << "this machine does not let a test trace its children";
    const Args mode = Swap({"D:\\stored", "--move", "--rename", "C:\\carfolders", "old"});
    const auto prepare = [&](Machine& m) {
        m.OtherDiskAsD();
        if (!m.Skip.empty()) return;
        fs::copy(m.Native(kStored), m.Native("D:\\stored"), fs::copy_options::recursive);
        fs::remove_all(m.Native(kStored));
    };
    Machine counter;
    prepare(counter);
    if (!counter.Skip.empty()) GTEST_SKIP() << counter.Skip;
    const Tree stored = TreeOf(counter.Native("D:\\stored"));
    const int calls = RunKilledAt(counter, mode, 0).ChangingCalls;
    // Every file in a kept folder is the stored folder's whole; true when a part of a copy
    // stands beside them.
    const auto lookAtKept = [&](const Machine& m) {
        bool part = false;
        const fs::path kept = m.Gpl() / "movrand" / "history" / "kept";
        for (const auto& entry : fs::directory_iterator(kept)) {
            const std::string name = entry.path().filename().string();
            if (name.ends_with(".movrand-part")) {
                part = true;
                continue;
            }
            for (const auto& [file, bytes] : TreeOf(entry.path()))
                EXPECT_TRUE(stored.count(file) && stored.at(file) == bytes) << name << "/" << file;
        }
        return part;
    };
    int parts = 0;
    // From the end back: the source goes into the history once it has been copied in.
    for (int point = calls - 1; point > 0 && !HasFailure(); point -= 4) {
        SCOPED_TRACE("killed before call " + std::to_string(point));
        Machine m;
        prepare(m);
        const GameGuard guard = GameGuard::Take({m.DriveC(), m.D}, m.Gpl());
        ASSERT_TRUE(RunKilledAt(m, mode, point).Killed);
        if (!fs::exists(m.Gpl() / "movrand" / "history" / "kept")) continue;
        const bool part = lookAtKept(m);
        parts += part;
        if (!part && parts > 0) break;  // before the copy began
        const CliRun start = m.Run({"drivers"});
        EXPECT_EQ(start.Status, 0) << start.Out << start.Err;
        EXPECT_FALSE(lookAtKept(m));
        EXPECT_EQ(TreeOf(m.Live()), stored);
        const CliRun verify = m.Run({"verify"});
        EXPECT_EQ(verify.Status, 0) << verify.Out << verify.Err;
        EXPECT_EQ(guard.Lost(), std::vector<std::string>{});
    }
    EXPECT_GT(parts, 0) << "the copy into the history was never cut short";
}

}  // namespace
}  // namespace movrand::test
