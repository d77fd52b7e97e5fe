// The car folder swap as a hostile user meets it through movrand-cli: folders that cannot take
// part, a second file system, runs killed half-way, journals damaged or not matching the disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

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
    fs::path D;  // what drive D: maps

    Machine() { fs::create_directories(DriveC() / "backup"); }
    void MapD(const fs::path& native) {
        fs::create_directory_symlink(native, Prefix() / "dosdevices" / "d:");
        D = native;
    }
    // Drive D: on a file system of its own; false (and Why() set) where there is none.
    bool OtherDiskAsD(std::uintmax_t bytes = 64u << 20) {
        Disk = std::make_unique<OtherDisk>(bytes);
        if (!Disk->Empty()) MapD(Disk->Folder());
        return !Disk->Empty();
    }
    fs::path Native(const std::string& windows) const {
        std::string rest = windows.substr(3);
        std::replace(rest.begin(), rest.end(), '\\', '/');
        return (windows[0] == 'D' ? D : DriveC()) / rest;
    }
    fs::path Live() const { return Gpl() / "cars" / "cars67"; }
    fs::path Journal() const { return Data() / "movrand" / "swap.zorvex"; }
    // Every file of drives C: and D: and every name beside the live folder.
    Tree Files() const {
        Tree files = TreeOf(DriveC());
        if (!D.empty() && D != "/proc")
            for (const auto& [name, bytes] : TreeOf(D)) files["D:/" + name] = bytes;
        for (const auto& e : fs::directory_iterator(Live().parent_path()))
            files["beside live: " + e.path().filename().string()] = "";
        return files;
    }
};

Args Swap(Args mode) {
    mode.insert(mode.begin(), {"--yes", "swap"});
    return mode;
}

const std::string kStored = "C:\\carfolders\\cars67_classic";

// --- Checks before anything moves: each says why in a message naming the folder. -------------

struct Refusal {
    const char* Name;
    Args Mode;
    const char* Told;
    std::function<bool(Machine&)> Prepare = [](Machine&) { return true; };
};

void PrintTo(const Refusal& r, std::ostream* out) {
    *out << r.Name;
}

class SwapRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(SwapRefusal, SaysWhyAndMovesNothing) {
    const Refusal& r = GetParam();
    Machine m;
    if (!r.Prepare(m)) GTEST_SKIP() << "no small file system of its own for D: " << m.Disk->Why();
    const Tree before = m.Files();
    const CliRun run = m.Run(Swap(r.Mode));
    EXPECT_EQ(run.Status, 1) << run.Out << run.Err;
    EXPECT_NE(run.Out.find(std::string("message: ") + r.Told), std::string::npos) << run.Out;
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(Differences(m.Files(), before), "");
    EXPECT_FALSE(fs::exists(m.Journal()));
}

const Refusal kRefusals[] = {
    {"SourceIsTheLiveFolder",
     {"c:\\SIERRA\\gpl\\cars\\CARS67", "--rename", "C:\\backup", "old"},
     "The folder c:\\SIERRA\\gpl\\cars\\CARS67 is the current GPL car folder"},
    {"SourceHoldsTheLiveFolder",
     {"C:\\sierra\\gpl\\cars", "--delete"},
     "The folder C:\\sierra\\gpl\\cars holds the current GPL car folder",
     [](Machine& m) {
         WriteCarFolder(m.Gpl() / "cars", "outer");
         return true;
     }},
    {"SourceInsideTheLiveFolder",
     {"C:\\sierra\\gpl\\cars\\cars67\\kept", "--delete", "--move"},
     "The folder C:\\sierra\\gpl\\cars\\cars67\\kept lies inside the current GPL car folder",
     [](Machine& m) {
         WriteCarFolder(m.Live() / "kept", "kept");
         return true;
     }},
    {"DestinationMissing",
     {kStored, "--rename", "C:\\nowhere", "old"},
     "The destination folder C:\\nowhere does not exist"},
    {"NewPlaceInsideTheLiveFolder",
     {kStored, "--rename", "C:\\sierra\\gpl\\cars\\cars67", "old"},
     "The current car folder cannot be moved to C:\\sierra\\gpl\\cars\\cars67\\old, which is the "
     "current GPL car folder or lies inside it"},
    {"NewPlaceIsTheSource",
     {kStored, "--rename", "C:\\carfolders", "cars67_classic", "--move"},
     "The current car folder cannot be moved to C:\\carfolders\\cars67_classic, which is the "
     "folder that is to become the GPL car folder"},
    {"NewPlaceHoldsTheInstallation",
     {kStored, "--rename", "C:\\sierra", "gpl"},
     "The current car folder cannot be moved to C:\\sierra\\gpl, which holds the current GPL car "
     "folder"},
    {"ReadOnlyFileInTheFolderToOverwrite",
     {kStored, "--rename", "C:\\backup", "old"},
     "The folder C:\\backup\\old holds read-only files, so it cannot be overwritten",
     [](Machine& m) {
         fs::create_directories(m.DriveC() / "backup" / "old");
         std::ofstream(m.DriveC() / "backup" / "old" / "locked.txt") << "locked";
         fs::permissions(m.DriveC() / "backup" / "old" / "locked.txt", fs::perms::owner_read);
         return true;
     }},
    {"DestinationNotWritable",
     {kStored, "--rename", "C:\\backup", "old"},
     "A new folder cannot be made in C:\\backup",
     [](Machine& m) {
         fs::permissions(m.DriveC() / "backup", fs::perms::owner_read | fs::perms::owner_exec);
         return true;
     }},
    {"DestinationIsProc",
     {kStored, "--rename", "D:\\", "old", "--move"},
     "A new folder cannot be made in D:\\",
     [](Machine& m) {
         m.MapD("/proc");
         return true;
     }},
    {"DestinationTooSmall",
     {kStored, "--rename", "D:\\", "old"},
     "There is not enough free space in D:\\ for the current GPL car folder",
     [](Machine& m) { return m.OtherDiskAsD(64 * 1024) && fs::space(m.D).available < 100000; }},
    {"LeftoverInTheWay",
     {kStored, "--delete"},
     "The folder C:\\sierra\\gpl\\cars\\cars67.movrand-swap is in the way of the car folder swap",
     [](Machine& m) {
         WriteCarFolder(m.Live().string() + ".movrand-swap", "mine");
         return true;
     }},
};

INSTANTIATE_TEST_SUITE_P(Checks, SwapRefusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.Name); });

// --- A swap cut short, then a journal that cannot be trusted: kept, nothing moved. -------------

// Kills the swap as it is about to make a file-changing call while it copies the stored folder.
bool CutShortWhileCopying(const Machine& prepared, Machine& m, const Args& args) {
    Machine counter;
    counter.CopyFrom(prepared);
    const int calls = RunKilledAt(counter, args, 0).ChangingCalls;
    for (int point = calls / 2; point < calls; ++point) {
        m.CopyFrom(prepared);
        RunKilledAt(m, args, point);
        if (fs::exists(m.Live().string() + ".movrand-copy/brm")) return true;
    }
    return false;
}

struct Damage {
    const char* Name;
    const char* Told;
    void (*Apply)(Machine&);
};

void PrintTo(const Damage& d, std::ostream* out) {
    *out << d.Name;
}

std::string Bytes(const fs::path& file) {
    return CliMachine::Read(file);
}

void Rewrite(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

class DistrustedJournal : public ::testing::TestWithParam<Damage> {};

TEST_P(DistrustedJournal, IsKeptAndNothingMoves) {
    if (!CanTraceChildren()) GTEST_SKIP() << "this machine does not let a test trace its children";
    Machine prepared, m;
    fs::create_directories(prepared.DriveC() / "backup" / "old");
    std::ofstream(prepared.DriveC() / "backup" / "old" / "f") << "an earlier folder's file";
    const Args args = Swap({kStored, "--rename", "C:\\backup", "old", "--copy"});
    ASSERT_TRUE(CutShortWhileCopying(prepared, m, args));
    GetParam().Apply(m);
    const Tree before = m.Files();
    const std::string journal = Bytes(m.Journal());
    for (const auto& [run, status] : {std::pair{Args{"drivers"}, 0}, std::pair{args, 1}}) {
        const CliRun done = m.Run(run);
        EXPECT_EQ(done.Status, status) << done.Out << done.Err;
        EXPECT_NE(done.Out.find(GetParam().Told), std::string::npos) << done.Out;
        EXPECT_NE(done.Out.find("C:\\sierra\\gpl\\cars\\cars67.movrand-copy"), std::string::npos)
            << done.Out;
        EXPECT_EQ(Differences(m.Files(), before), "");
        EXPECT_EQ(Bytes(m.Journal()), journal);
    }
}

const char* kDamaged = "The record of a car folder swap that was cut short is damaged";
const char* kNotAsRecorded = "its folders are not what its record says";

const Damage kDamages[] = {
    {"CutInHalf", kDamaged,
     [](Machine& m) {
         const std::string j = Bytes(m.Journal());
         Rewrite(m.Journal(), j.substr(0, j.size() / 2));
     }},
    {"Garbage", kDamaged,
     [](Machine& m) { Rewrite(m.Journal(), std::string(300, '\x9c') + "live=\r\n"); }},
    {"OneBitFlipped", kDamaged,
     [](Machine& m) {
         std::string j = Bytes(m.Journal());
         j[j.size() / 3] ^= 0x04;
         Rewrite(m.Journal(), j);
     }},
    // As after the file system is mounted again where folders are numbered anew.
    {"FolderNumbersChanged", kNotAsRecorded,
     [](Machine& m) {
         SwapJournal j = *ParseSwapJournal(Bytes(m.Journal()));
         j.LiveNumber += 1;
         Rewrite(m.Journal(), SwapJournalText(j));
     }},
    {"UsersFolderUnderTheStagedName", kNotAsRecorded,
     [](Machine& m) { WriteCarFolder(m.Live().string() + ".movrand-swap", "mine"); }},
    {"PartialCopyWithoutMarker", kNotAsRecorded,
     [](Machine& m) { fs::remove(m.Live().string() + ".movrand-copy/zorvexswap.zorvex"); }},
};

INSTANTIATE_TEST_SUITE_P(Damages, DistrustedJournal, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.Name); });

// --- Runs killed while a folder crosses to another file system. --------------------------------

struct Crossing {
    const char* Name;
    Args Mode;
    std::string Source, Target;
};

void PrintTo(const Crossing& c, std::ostream* out) {
    *out << c.Name;
}

class KilledCrossing : public ::testing::TestWithParam<Crossing> {};

// Killed before file-changing calls spread over the whole run, then started again: nothing lost,
// the stored folder whole wherever the swap did not get past it, and the swap run again (where
// it was undone) leaves what a clean run leaves.
TEST_P(KilledCrossing, LosesNothingAndCompletes) {
    if (!CanTraceChildren()) GTEST_SKIP() << "this machine does not let a test trace its children";
    const Crossing& c = GetParam();
    const auto prepare = [&](Machine& m) {
        if (!m.OtherDiskAsD()) return false;
        if (c.Source[0] == 'D') {
            fs::copy(m.Native(kStored), m.Native(c.Source), fs::copy_options::recursive);
            fs::remove_all(m.Native(kStored));
        }
        return true;
    };
    Machine counter;
    if (!prepare(counter)) GTEST_SKIP() << counter.Disk->Why();
    const int calls = RunKilledAt(counter, c.Mode, 0).ChangingCalls;
    constexpr int kPoints = 9;
    for (int i = 1; i <= kPoints; ++i) {
        const int point = calls * i / (kPoints + 1);
        SCOPED_TRACE("killed before file-changing call " + std::to_string(point) + " of " +
                     std::to_string(calls));
        Machine m;
        ASSERT_TRUE(prepare(m));
        const GameGuard guard = GameGuard::Take({m.DriveC(), m.D}, m.Gpl());
        const Tree old = TreeOf(m.Live()), stored = TreeOf(m.Native(c.Source));
        ASSERT_TRUE(RunKilledAt(m, c.Mode, point).Killed);
        EXPECT_EQ(guard.Lost(), std::vector<std::string>{});
        EXPECT_EQ(guard.LiveCarFolderProblem(), "");

        const CliRun start = m.Run({"drivers"});
        EXPECT_EQ(start.Status, 0) << start.Out << start.Err;
        EXPECT_EQ(start.Out.find("message:"), std::string::npos) << start.Out;
        if (TreeOf(m.Live()) == old) {
            EXPECT_EQ(TreeOf(m.Native(c.Source)), stored) << "undone";
            EXPECT_EQ(m.Run(c.Mode).Status, 0);
        }
        EXPECT_EQ(TreeOf(m.Live()), stored);
        EXPECT_EQ(TreeOf(m.Native(c.Target)), old);
        EXPECT_FALSE(fs::exists(m.Native(c.Source)));
        EXPECT_EQ(guard.Lost(), std::vector<std::string>{});
        EXPECT_FALSE(fs::exists(m.Journal()));
        if (HasFailure()) break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Crossings, KilledCrossing,
    ::testing::Values(Crossing{"StoredFolderMovedFromOtherDisk",
                               Swap({"D:\\stored", "--move", "--rename", "C:\\carfolders", "old"}),
                               "D:\\stored", "C:\\carfolders\\old"},
                      Crossing{"OldFolderMovedToOtherDisk",
                               Swap({kStored, "--move", "--rename", "D:\\", "old"}), kStored,
                               "D:\\old"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace movrand::test
