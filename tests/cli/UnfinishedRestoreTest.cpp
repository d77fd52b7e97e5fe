// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "CliRunner.h"
#include "FileSnapshot.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

const std::string kClassic = "C:\\addons\\Ferrari 312 Classic";
const std::string kFerrari = "C:\\sierra\\gpl\\cars\\cars67\\ferrari\\";

fs::path History(const CliMachine& m) {
    return m.Gpl() / "movrand" / "history";
}

// The installation and the stored car folders, the history aside.
std::map<std::string, std::string> GameOf(const CliMachine& m) {
    std::map<std::string, std::string> game = TreeOf(m.DriveC() / "carfolders");
    for (auto& [name, bytes] : TreeOf(m.Gpl()))
        if (name.rfind("movrand/", 0) != 0) game["gpl/" + name] = bytes;
    return game;
}

// Every file the history kept gets other bytes (a file of its own: the history may keep a
// replaced file as a link to the same bytes).
void Damage(const fs::path& folder) {
    std::vector<fs::path> kept;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) kept.push_back(entry.path());
    for (const fs::path& file : kept) {
        fs::remove(file);
        std::ofstream(file) << "damaged";
    }
}

// What a player does by hand that a restore or undo cannot get past: it is refused before it
// changes anything, naming the place, and leaves no journal behind, so every command still
// works. Each row: the commands run first, the hand's work, the walk back, what it names.
TEST(UnfinishedRestore, WhatCannotBeTakenBackIsRefusedUpFront) {
    const struct {
        const char* what;
        std::vector<Args> before;
        std::function<void(const CliMachine&)> hand;
        Args back;
        std::string named;
    } rows[] = {
        {"kept content damaged",
         {{"install", kClassic, "Ferrari 312"}},
         [](const CliMachine& m) { Damage(History(m) / "content"); },
         {"--yes", "restore", "0"},
         kFerrari},
        {"stored folder renamed",
         {{"install", kClassic, "Ferrari 312"},
          {"--yes", "swap", "C:\\carfolders\\cars67_classic", "--rename", "C:\\carfolders", "old"}},
         [](const CliMachine& m) {
             fs::rename(m.DriveC() / "carfolders" / "old", m.DriveC() / "carfolders" / "mine");
         },
         {"--yes", "restore", "0"},
         "C:\\carfolders\\old"},
        {"live folder made a link",
         {{"install", kClassic, "Ferrari 312"}},
         [](const CliMachine& m) {
             fs::create_directories(m.Root() / "outside");
             fs::rename(m.Gpl() / "cars" / "cars67", m.Root() / "outside" / "cars67");
             fs::create_directory_symlink(m.Root() / "outside" / "cars67",
                                          m.Gpl() / "cars" / "cars67");
         },
         {"--yes", "restore", "0"},
         "C:\\sierra\\gpl\\cars\\cars67 is a link"},
        {"file made a folder",
         {{"install", kClassic, "Ferrari 312"}},
         [](const CliMachine& m) {
             const fs::path file = m.Gpl() / "cars" / "cars67" / "ferrari" / "fer9.3do";
             fs::remove(file);
             fs::create_directories(file / "mine");
         },
         {"--yes", "undo"},
         kFerrari + "fer9.3do"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        CliMachine m;
        for (const Args& args : row.before) ASSERT_EQ(m.Run(args).Status, 0);
        row.hand(m);
        const auto before = GameOf(m);
        const CliRun back = m.Run(row.back);
        EXPECT_EQ(back.Status, 1) << back.Out << back.Err;
        EXPECT_NE(back.Out.find(row.named), std::string::npos) << back.Out << back.Err;
        EXPECT_NE(back.Out.find("Nothing was changed."), std::string::npos) << back.Out;
        EXPECT_FALSE(fs::exists(History(m) / "restore.step"));
        EXPECT_EQ(Differences(GameOf(m), before), "");
        const CliRun history = m.Run({"history"});
        EXPECT_EQ(history.Status, 0) << history.Out << history.Err;
    }
}

// A restore journal that cannot be settled (left by a run that failed half way), alone or beside
// a record of the part that ran that is damaged or names a folder made a link since: the start
// says what stands and how to get out, commands that need no change still work, changes
// (forgetting steps too) are refused naming the way out, and `history abandon` closes it with
// the game left as it is, the record set aside.
TEST(UnfinishedRestore, AJournalThatCannotBeSettledIsAbandoned) {
    const std::string folder = "C:\\sierra\\gpl\\movrand\\history\\";
    enum class Record { None, Damaged, BehindALink };
    for (const Record record : {Record::None, Record::Damaged, Record::BehindALink}) {
        SCOPED_TRACE(static_cast<int>(record));
        const bool pending = record != Record::None;
        CliMachine m;
        ASSERT_EQ(m.Run({"install", kClassic, "Ferrari 312"}).Status, 0);
        // It names content the history kept: no forget takes that away.
        fs::path kept;
        for (const auto& entry : fs::recursive_directory_iterator(History(m) / "content"))
            if (entry.is_regular_file()) kept = entry.path();
        const std::string hash = kept.filename().string();
        const std::string damaged =
            record == Record::Damaged
                ? "movrand-history-step 1\nnumber\t2\npath\tf9:644:1:" + hash + "\t?\tnonsense\n"
                : "movrand-history-step 1\nnumber\t2\nwhen\t2026-12-08T10:00:00+00:00\nuser\t"
                  "player\nprogram\tmovrand-cli\nsummary\tRestored to step 0\nkept-bytes\t0\n"
                  "path\tf9:644:1:" +
                      hash + "\t?\t" + kFerrari + "fer9.3do\n";
        Damage(History(m) / "content");
        std::ofstream(History(m) / "restore.step")
            << "restore\tRestored to step 0\nstep\t2\nreverse\t1\n";
        if (pending) std::ofstream(History(m) / "pending.step") << damaged;
        if (record == Record::BehindALink) {
            // The player's own copy of the team folder, linked in its place.
            const fs::path team = m.Gpl() / "cars" / "cars67" / "ferrari";
            fs::rename(team, m.Root() / "ferrari");
            fs::create_directory_symlink(m.Root() / "ferrari", team);
        }
        const auto before = GameOf(m);
        const CliRun history = m.Run({"history"});
        EXPECT_EQ(history.Status, 0) << history.Err;
        EXPECT_NE(
            history.Out.find("message: An unfinished restore (Restored to step 0) stands in " +
                             folder + "restore.step and cannot be finished"),
            std::string::npos)
            << history.Out;
        if (record == Record::Damaged) {
            EXPECT_NE(history.Out.find(folder + "pending.step is damaged"), std::string::npos);
        }
        EXPECT_NE(history.Out.find("movrand-cli history abandon"), std::string::npos);
        EXPECT_EQ(m.Run({"drivers"}).Status, 0);
        for (const Args& change :
             {Args{"car-number", "1", "12"}, Args{"--yes", "undo"}, Args{"--yes", "forget", "2"},
              Args{"--yes", "history-size", "0"}}) {
            const CliRun refused = m.Run(change);
            EXPECT_NE(refused.Status, 0) << change[1];
            EXPECT_NE((refused.Out + refused.Err).find("movrand-cli history abandon"),
                      std::string::npos)
                << refused.Out << refused.Err;
        }
        EXPECT_TRUE(fs::exists(History(m) / "steps" / "1.step"));
        EXPECT_EQ(Differences(GameOf(m), before), "");
        const CliRun abandon = m.Run({"history", "abandon"});
        EXPECT_EQ(abandon.Status, 0) << abandon.Out << abandon.Err;
        EXPECT_NE(abandon.Out.find("message: The unfinished restore was closed and the game left "
                                   "as it is." +
                                   std::string(pending ? " Its record of what it changed, which "
                                                         "could not be made a step, was kept as " +
                                                             folder + "pending.step.damaged"
                                                       : "")),
                  std::string::npos)
            << abandon.Out;
        EXPECT_FALSE(fs::exists(History(m) / "restore.step"));
        EXPECT_FALSE(fs::exists(History(m) / "pending.step"));
        if (pending) {
            EXPECT_EQ(TreeOf(History(m))["pending.step.damaged"], damaged);
        }
        EXPECT_EQ(Differences(GameOf(m), before), "");
        const CliRun after = m.Run({"car-number", "1", "12"});
        EXPECT_EQ(after.Status, 0) << after.Out << after.Err;
        EXPECT_EQ(after.Out.find("abandon"), std::string::npos) << after.Out;
        ASSERT_EQ(m.Run({"--yes", "forget", "2"}).Status, 0);
        EXPECT_EQ(fs::exists(kept), pending);
    }
}

// A damaged record of a run cut short with no restore under way: every start names it and the
// way out, `history` still lists the steps, changes are refused naming it, and `history
// abandon` sets it aside in the history as it was, after which changes work again.
TEST(UnfinishedRestore, ADamagedRecordWithoutAJournalIsSetAside) {
    const std::string file = "C:\\sierra\\gpl\\movrand\\history\\pending.step";
    CliMachine m;
    ASSERT_EQ(m.Run({"install", kClassic, "Ferrari 312"}).Status, 0);
    const std::string damaged = "movrand-history-step 1\nnumber\t2\npath\tnonsense\t?\tx\n";
    std::ofstream(History(m) / "pending.step") << damaged;
    const auto before = GameOf(m);
    const CliRun history = m.Run({"history"});
    EXPECT_EQ(history.Status, 0) << history.Err;
    EXPECT_NE(history.Out.find("message: The history file " + file + " is damaged"),
              std::string::npos)
        << history.Out;
    EXPECT_NE(history.Out.find("movrand-cli history abandon"), std::string::npos);
    EXPECT_NE(history.Out.find("\n1\t"), std::string::npos) << history.Out;
    for (const Args& change :
         {Args{"car-number", "1", "12"}, Args{"--yes", "undo"}, Args{"--yes", "forget", "2"}}) {
        const CliRun refused = m.Run(change);
        EXPECT_NE(refused.Status, 0) << change[1];
        EXPECT_NE((refused.Out + refused.Err).find("history abandon"), std::string::npos)
            << refused.Out << refused.Err;
    }
    EXPECT_EQ(Differences(GameOf(m), before), "");
    const CliRun abandon = m.Run({"history", "abandon"});
    EXPECT_EQ(abandon.Status, 0) << abandon.Out << abandon.Err;
    EXPECT_NE(abandon.Out.find("set aside as " + file + ".damaged"), std::string::npos)
        << abandon.Out;
    EXPECT_EQ(TreeOf(History(m))["pending.step.damaged"], damaged);
    EXPECT_FALSE(fs::exists(History(m) / "pending.step"));
    const CliRun after = m.Run({"car-number", "1", "12"});
    EXPECT_EQ(after.Status, 0) << after.Out << after.Err;
    EXPECT_EQ(after.Out.find("abandon"), std::string::npos) << after.Out;
}

}  // namespace
}  // namespace movrand::test
