// SPDX-License-Identifier: GPL-3.0-or-later
// Car sets between two installations made different by real operations: one exports the
// league's set, the other compares with it and makes it live from an add-on folder or archive.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "CliRunner.h"
#include "FileSnapshot.h"
#include "GameGuard.h"
#include "KilledRun.h"
#include "carsets/CarSetPath.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;
using Args = std::vector<std::string>;

fs::path Live(const CliMachine& m) {
    return m.Gpl() / "cars" / "cars67";
}

// A car folder without the program's own install records, which belong to one installation.
Tree WithoutRecords(Tree tree) {
    std::erase_if(tree, [](const auto& file) { return carsets::IsOwnRecordPath(file.first); });
    return tree;
}

// Every file of drive C: but the cache of fingerprints, which only saves time.
Tree DriveC(const CliMachine& m) {
    Tree tree = TreeOf(m.DriveC());
    tree.erase("sierra/gpl/movrand/history/sethashes");
    return tree;
}

const std::string kAddOn = "C:\\addons\\Ferrari 312 Classic";

// The league's installation: a car and an accessory added. Its set's text.
std::string LeagueSet(std::string& code) {
    CliMachine league;
    EXPECT_EQ(league.Run({"--yes", "install", kAddOn, "Ferrari 312"}).Status, 0);
    EXPECT_EQ(league.Run({"--yes", "install", kAddOn, "Red Wheels"}).Status, 0);
    const CliRun exported = league.Run({"set-export", "C:\\league", "--name", "League 1967"});
    EXPECT_EQ(exported.Status, 0) << exported.Out << exported.Err;
    code = exported.Out.substr(0, exported.Out.find('\n'));
    const std::string text = CliMachine::Read(league.DriveC() / "league.carset");
    EXPECT_EQ(text.find("zorvex"), std::string::npos) << "no install record is part of a set";
    EXPECT_EQ(league.Run({"set-code"}).Out, code + "\n");
    EXPECT_EQ(league.Run({"set-compare", "C:\\league.carset"}).Status, 0);
    return text;
}

Tree LeagueLive() {
    CliMachine league;
    league.Run({"--yes", "install", kAddOn, "Ferrari 312"});
    league.Run({"--yes", "install", kAddOn, "Red Wheels"});
    return WithoutRecords(TreeOf(Live(league)));
}

void Write(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// The add-on folder as the only source: moved to C:\league (a folder) or packed into
// C:\downloads\league.zip (an archive).
std::string PrepareSource(CliMachine& m, bool archive) {
    if (!archive) {
        fs::rename(m.DriveC() / "addons" / "Ferrari 312 Classic", m.DriveC() / "league");
        return "C:\\league";
    }
    fs::create_directories(m.DriveC() / "downloads");
    EXPECT_EQ(
        std::system(("bsdtar -C '" + (m.DriveC() / "addons").string() + "' -a -cf '" +
                     (m.DriveC() / "downloads" / "league.zip").string() + "' 'Ferrari 312 Classic'")
                        .c_str()),
        0);
    fs::remove_all(m.DriveC() / "addons" / "Ferrari 312 Classic");
    return "C:\\downloads\\league.zip";
}

TEST(CarSets, AnotherInstallationComparesAndTakesTheLeaguesFolder) {
    std::string code;
    const std::string set = LeagueSet(code);
    const Tree leagueLive = LeagueLive();
    for (const bool archive : {false, true}) {
        SCOPED_TRACE(archive ? "from an archive" : "from a folder");
        CliMachine m;
        Write(m.DriveC() / "league.carset", set);
        const std::string source = PrepareSource(m, archive);
        ASSERT_EQ(m.Run({"match"}).Status, 0);  // gives drivers their own car files
        const Tree old = TreeOf(Live(m));

        const CliRun compare = m.Run({"set-compare", "C:\\league.carset"});
        EXPECT_EQ(compare.Status, 1);
        EXPECT_NE(compare.Out.find("different\tferrari\\fer9.mip\n"), std::string::npos);
        EXPECT_NE(compare.Out.find("missing\tferrari\\wheels.mip\n"), std::string::npos);
        EXPECT_NE(compare.Out.find("extra\tLOTUS\\Cla12a.3do\n"), std::string::npos);
        const std::string mine = m.Run({"set-code"}).Out;
        EXPECT_NE(compare.Out.find("set " + code + "\tfolder " + mine), std::string::npos);

        // Without the add-on, its files are found nowhere: they are listed, nothing changes.
        const Tree before = DriveC(m);
        const CliRun missing = m.Run({"set-apply", "C:\\league.carset"});
        EXPECT_EQ(missing.Status, 1);
        EXPECT_NE(missing.Out.find("not found\tferrari\\wheels.mip\t12\n"), std::string::npos)
            << missing.Out;
        EXPECT_EQ(Differences(DriveC(m), before), "");

        const CliRun apply = m.Run({"set-apply", "C:\\league.carset", "--from", source});
        ASSERT_EQ(apply.Status, 0) << apply.Out << apply.Err;
        EXPECT_EQ(apply.Out,
                  "live\tC:\\sierra\\gpl\\cars\\cars67\nold car folder\t"
                  "C:\\sierra\\gpl\\cars\\cars67_before_League_1967\n");
        EXPECT_EQ(Differences(TreeOf(Live(m)), leagueLive), "");
        EXPECT_EQ(TreeOf(m.Gpl() / "cars" / "cars67_before_League_1967"), old);
        // The folder built became the live one: it stands under its own name no more.
        EXPECT_FALSE(std::filesystem::exists(m.Gpl() / "cars" / "League_1967"));
        EXPECT_EQ(m.Run({"set-compare", "C:\\league.carset"}).Status, 0);
        EXPECT_EQ(m.Run({"set-code"}).Out, code + "\n");
        const Tree after = DriveC(m);
        for (const auto& [name, bytes] : before)
            if (name.starts_with("league/") || name.starts_with("downloads/")) {
                EXPECT_EQ(after.at(name), bytes) << name << " is only read";
            }
        const std::string history = m.Run({"history"}).Out;
        EXPECT_NE(history.find("Car set League 1967 (" + code + ") made live"), std::string::npos);

        ASSERT_EQ(m.Run({"--yes", "undo"}).Status, 0);
        EXPECT_EQ(Differences(TreeOf(Live(m)), old), "");
    }
}

// The game takes LOTUS and lotus for one folder, but a set's code tells them apart: a folder of
// another code is never told to be the set, and set-apply makes it the set.
TEST(CarSets, TheComparisonAgreesWithTheCodes) {
    CliMachine m;
    ASSERT_EQ(m.Run({"set-export", "C:\\league"}).Status, 0);
    fs::rename(Live(m) / "LOTUS", Live(m) / "lotus");
    const CliRun compare = m.Run({"set-compare", "C:\\league.carset"});
    EXPECT_EQ(compare.Status, 1);
    EXPECT_NE(compare.Out.find("different\tLOTUS\\lot.3do\n"), std::string::npos) << compare.Out;
    const CliRun apply = m.Run({"set-apply", "C:\\league.carset", "--name", "league"});
    EXPECT_EQ(apply.Status, 0) << apply.Out << apply.Err;
    EXPECT_EQ(m.Run({"set-compare", "C:\\league.carset"}).Status, 0);
    EXPECT_TRUE(fs::exists(Live(m) / "LOTUS" / "lot.3do"));
}

// What a killed run left in a team folder is no file of the folder: the commands that only read
// it do not count it, and leave it to the next start that may change the installation.
TEST(CarSets, ALeftoverTemporaryIsNoFileOfTheFolder) {
    CliMachine m;
    const CliRun exported = m.Run({"set-export", "C:\\league"});
    ASSERT_EQ(exported.Status, 0);
    const fs::path leftover = Live(m) / "LOTUS" / ".movrand-999999999-0.tmp";
    std::ofstream(leftover) << "half written";
    const CliRun compare = m.Run({"set-compare", "C:\\league.carset"});
    EXPECT_EQ(compare.Status, 0) << compare.Out;
    EXPECT_EQ(m.Run({"set-code"}).Out, exported.Out);
    EXPECT_TRUE(fs::exists(leftover));
    EXPECT_EQ(m.Run({"history"}).Status, 0);
    EXPECT_FALSE(fs::exists(leftover));
}

// A set naming a file outside the car folder is refused before anything is read or written.
TEST(CarSets, AHostileSetChangesNothing) {
    CliMachine m;
    Write(m.DriveC() / "evil.carset",
          "movrand-carset 1\nname x\n..\\..\\driver.ini\t1\t0123456789abcdef0123456789abcdef\n"
          "code 0000-0000-0000\n");
    const Tree before = TreeOf(m.DriveC());
    const CliRun apply = m.Run({"set-apply", "C:\\evil.carset", "--from", "C:\\"});
    EXPECT_EQ(apply.Status, 1);
    EXPECT_NE(apply.Out.find("line 3 names no file inside a car folder"), std::string::npos)
        << apply.Out;
    EXPECT_EQ(Differences(TreeOf(m.DriveC()), before), "");
    // Larger than any set can be: refused as a set, not failed as a read.
    Write(m.DriveC() / "huge.carset", "movrand-carset 1\n");
    fs::resize_file(m.DriveC() / "huge.carset", 210'000'000);  // sparse
    for (const Args& args : {Args{"set-compare", "C:\\huge.carset"},
                             Args{"set-apply", "C:\\huge.carset", "--from", "C:\\"}}) {
        const CliRun run = m.Run(args);
        EXPECT_EQ(run.Status, 1) << args[0] << run.Err;
        EXPECT_NE(run.Out.find("The car set C:\\huge.carset cannot be used: it is larger than"),
                  std::string::npos)
            << run.Out;
    }
}

// A stored folder a set cannot carry is refused, naming what it holds, and no set is written
// that would be refused where it is read: a folder in two letter cases (the game would find only
// one), a path longer than a set's line, a file over a set file's cap.
TEST(CarSets, AFolderASetCannotCarryIsNoSet) {
    const fs::path deep = fs::path("ferrari") / std::string(250, 'a') / std::string(250, 'b') /
                          std::string(250, 'c') / std::string(250, 'd') / "f.3do";
    const struct {
        const char* Name;
        std::function<void(const fs::path&)> Make;
        std::string Told;
    } rows[] = {
        {"TwoCases",
         [](const fs::path& stored) {
             Write(stored / "Zed" / "a.3do", "a");
             Write(stored / "zed" / "b.3do", "b");
         },
         "holds both Zed\\a.3do and zed\\b.3do"},
        {"LongPath", [&](const fs::path& stored) { Write(stored / deep, "x"); },
         "its path makes a line longer than a set's may be (1024 bytes)"},
        {"Huge",
         [](const fs::path& stored) {
             Write(stored / "ferrari" / "big.3do", "");
             fs::resize_file(stored / "ferrari" / "big.3do", (1ull << 30) + 1);  // sparse
         },
         "The file C:\\stored\\ferrari\\big.3do cannot be part of a car set: it is larger"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        CliMachine m;
        const fs::path stored = m.DriveC() / "stored";
        fs::copy(Live(m), stored, fs::copy_options::recursive);
        row.Make(stored);
        for (const Args& args : {Args{"set-export", "C:\\x", "--folder", "C:\\stored"},
                                 Args{"set-code", "--folder", "C:\\stored"}}) {
            const CliRun run = m.Run(args);
            EXPECT_EQ(run.Status, 1) << args[0];
            EXPECT_NE(run.Out.find(row.Told), std::string::npos) << run.Out;
        }
        EXPECT_FALSE(fs::exists(m.DriveC() / "x.carset"));
    }
}

// Content found by its fingerprint is checked as it is copied: a damaged kept copy in the
// history stops the run, and nothing is made live or left behind.
TEST(CarSets, ADamagedSourceIsCaughtAsItIsCopied) {
    std::string code;
    const std::string set = LeagueSet(code);
    CliMachine m;
    Write(m.DriveC() / "league.carset", set);
    ASSERT_EQ(m.Run({"set-compare", "C:\\league.carset"}).Status, 1);  // makes the history
    const std::size_t line = set.find("ferrari\\wheels.mip\t");
    const std::string hash = set.substr(set.find('\n', line) - 32, 32);
    Write(m.Gpl() / "movrand" / "history" / "content" / hash.substr(0, 2) / hash,
          "red wheelz\r\n");  // the size of the true bytes
    const Tree before = DriveC(m);
    const CliRun apply = m.Run({"set-apply", "C:\\league.carset", "--from", kAddOn});
    EXPECT_NE(apply.Status, 0);
    EXPECT_NE(apply.Err.find("changed while it was read"), std::string::npos) << apply.Err;
    EXPECT_EQ(Differences(DriveC(m), before), "");
}

// Killed at any moment of set-apply: the game keeps a whole live car folder, the old or the
// set's, no file is lost, and the next start settles what the run left.
TEST(KilledSetApply, LeavesTheOldOrTheNewFolder) {
    if (!CanTraceChildren()) GTEST_SKIP() << "this machine does not let a test trace its children";
    std::string code;
    const std::string set = LeagueSet(code);
    const Tree leagueLive = LeagueLive();
    const Args apply = {"set-apply", "C:\\league.carset", "--from", "C:\\league"};
    const auto prepare = [&](CliMachine& m) {
        Write(m.DriveC() / "league.carset", set);
        PrepareSource(m, false);
    };
    CliMachine counter, builder;
    prepare(counter);
    prepare(builder);
    const int calls = RunKilledAt(counter, apply, 0).ChangingCalls;
    Args build = apply;
    build.push_back("--no-swap");
    // The calls after those that build the set's folder are the swap's.
    const int built = RunKilledAt(builder, build, 0).ChangingCalls;
    ASSERT_GT(calls, 20);
    ASSERT_LT(built, calls);
    std::set<int> points;
    for (int point = 1; point < calls; point += std::max(1, calls / 12)) points.insert(point);
    for (int point = built + 1; point < calls; point += std::max(1, (calls - built) / 8))
        points.insert(point);
    for (const int point : points) {
        SCOPED_TRACE("killed before call " + std::to_string(point));
        CliMachine m;
        prepare(m);
        const GameGuard guard = GameGuard::Take({m.DriveC()}, m.Gpl());
        const Tree old = TreeOf(Live(m));
        ASSERT_TRUE(RunKilledAt(m, apply, point).Killed);
        EXPECT_EQ(guard.LiveCarFolderProblem(), "");
        const CliRun start = m.Run({"drivers"});
        EXPECT_EQ(start.Status, 0) << start.Out << start.Err;
        EXPECT_FALSE(fs::exists(m.Gpl() / "cars" / "League_1967.movrand-build"));
        const Tree live = WithoutRecords(TreeOf(Live(m)));
        EXPECT_TRUE(TreeOf(Live(m)) == old || live == leagueLive);
        EXPECT_EQ(guard.Lost(), std::vector<std::string>{});
        // A swap cut short is settled as part of the set's own step, which undoes as one.
        const std::string history = m.Run({"history"}).Out;
        EXPECT_EQ(history.find("Car folder swap"), std::string::npos) << history;
        if (live == leagueLive) {
            EXPECT_NE(history.find("Car set League 1967 (" + code + ") made live"),
                      std::string::npos)
                << history;
            ASSERT_EQ(m.Run({"--yes", "undo"}).Status, 0);
            EXPECT_EQ(Differences(TreeOf(Live(m)), old), "");
        }
        // The set can be made live after it; a half-built folder is no obstacle.
        if (TreeOf(Live(m)) == old) {
            const CliRun again = m.Run(apply);
            EXPECT_EQ(again.Status, 0) << again.Out << again.Err;
            EXPECT_EQ(Differences(WithoutRecords(TreeOf(Live(m))), leagueLive), "");
        }
        if (HasFailure()) return;
    }
}

// Killed in the last calls that build the set's folder, after the folder is whole: the next
// set-apply finishes the work instead of finding a folder in its way.
TEST(KilledSetApply, AWholeFolderNotYetNamedIsTakenByTheNextRun) {
    if (!CanTraceChildren()) GTEST_SKIP() << "this machine does not let a test trace its children";
    std::string code;
    const std::string set = LeagueSet(code);
    const Tree leagueLive = LeagueLive();
    const Args build = {"set-apply", "C:\\league.carset", "--from", "C:\\league", "--no-swap"};
    const auto prepare = [&](CliMachine& m) {
        Write(m.DriveC() / "league.carset", set);
        PrepareSource(m, false);
    };
    CliMachine counter;
    prepare(counter);
    const int built = RunKilledAt(counter, build, 0).ChangingCalls;
    for (int point = built - 4; point <= built; ++point) {
        SCOPED_TRACE("killed before call " + std::to_string(point));
        CliMachine m;
        prepare(m);
        ASSERT_TRUE(RunKilledAt(m, build, point).Killed);
        const CliRun again = m.Run({"set-apply", "C:\\league.carset", "--from", "C:\\league"});
        EXPECT_EQ(again.Status, 0) << again.Out << again.Err;
        EXPECT_EQ(Differences(WithoutRecords(TreeOf(Live(m))), leagueLive), "");
        EXPECT_FALSE(fs::exists(m.Gpl() / "cars" / "League_1967.movrand-build"));
    }
}

}  // namespace
}  // namespace movrand::test
