// SPDX-License-Identifier: GPL-3.0-or-later
// The history never reaches outside the installation and the stored car folders its own swap
// made: not through a link the player put in, nor for a step or journal made by hand.
#include <gtest/gtest.h>

#include "CliRunner.h"
#include "DemoAddOns.h"
#include "DemoInstallation.h"
#include "FileSnapshot.h"
#include "history/StepRecord.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

void InstallStripes(const CliMachine& m) {
    demo::MakeAddOnFolder(
        m.DriveC() / "addons" / "Stripes",
        {"ferrari", {{"Stripes", "accessory", {{"fer11.mip", "stripes"}, {"new.mip", "n"}}, "."}}});
    ASSERT_EQ(m.Run({"install", "C:\\addons\\Stripes", "Stripes"}).Status, 0);
}

// A folder of the installation replaced by a link to a shared folder outside it: an undo, a
// restore or a verify is refused naming the link, and the shared folder stays byte for byte.
TEST(StepBoundary, ALinkInTheInstallationIsNeverFollowed) {
    const struct {
        const char* linked;  // under the GPL folder
        std::vector<std::string> command;
    } rows[] = {{"cars/cars67", {"--yes", "undo"}},
                {"cars/cars67/ferrari", {"--yes", "undo"}},
                {"cars/cars67/ferrari", {"--yes", "restore", "0"}},
                {"cars/cars67", {"verify"}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.linked + (" " + row.command.back()));
        CliMachine m;
        InstallStripes(m);
        const fs::path linked = m.Gpl() / row.linked;
        const fs::path shared = m.Root() / "shared";
        fs::rename(linked, shared);
        fs::create_directory_symlink(shared, linked);
        const auto before = TreeOf(shared);
        const CliRun run = m.Run(row.command);
        EXPECT_NE(run.Status, 0);
        EXPECT_NE((run.Out + run.Err).find(fs::path(row.linked).filename().string() + " is a link"),
                  std::string::npos)
            << run.Out << run.Err;
        EXPECT_EQ(Differences(TreeOf(shared), before), "");
    }
}

// The stored car folders, the game's and the folder outside: the marks the swap leaves beside its
// stored folders (with random tokens) aside.
std::map<std::string, std::string> StoredTree(const CliMachine& m) {
    std::map<std::string, std::string> tree;
    for (const char* top : {"carfolders", "backup", "sierra/gpl/cars", "victim"})
        for (auto& [name, bytes] : TreeOf(m.DriveC() / top))
            if (!name.ends_with(".movrand-stored")) tree[top + ("/" + name)] = bytes;
    return tree;
}

const std::vector<std::string> kSwap = {
    "--yes", "swap", "C:\\carfolders\\cars67_classic", "--move", "--rename", "C:\\backup", "old"};

// A swap is taken back and done again, each by a run of its own: the stored folders it made
// carry the token its step names.
TEST(StepBoundary, ASwapIsUndoneAndRestoredAcrossRuns) {
    for (const char* mode : {"--move", "--copy"}) {
        SCOPED_TRACE(mode);
        CliMachine m;
        fs::create_directories(m.DriveC() / "backup");
        const auto before = StoredTree(m);
        std::vector<std::string> swap = kSwap;
        swap[3] = mode;
        ASSERT_EQ(m.Run(swap).Status, 0);
        const auto swapped = StoredTree(m);
        const CliRun undo = m.Run({"--yes", "undo"});
        EXPECT_EQ(undo.Status, 0) << undo.Out << undo.Err;
        EXPECT_EQ(Differences(StoredTree(m), before), "");
        const CliRun again = m.Run({"--yes", "restore", "1"});
        EXPECT_EQ(again.Status, 0) << again.Out << again.Err;
        EXPECT_EQ(Differences(StoredTree(m), swapped), "");
    }
}

// Stored folders swapped in and back again, by Move, by Copy over the folder they came from and
// under a new name: restoring to any step, and undoing every swap, gives back each folder byte
// for byte, though a later swap marked the same places with its own token.
TEST(StepBoundary, SwapsBackAndForthAlwaysRestore) {
    using Args = std::vector<std::string>;
    const auto swap = [](const std::string& from, const char* mode, const char* name) {
        return Args{"--yes",          "swap", "C:\\carfolders\\" + from, mode, "--rename",
                    "C:\\carfolders", name};
    };
    const struct {
        const char* name;
        std::vector<Args> swaps;
    } rows[] = {
        {"move",
         {swap("cars67_classic", "--move", "original"),
          swap("original", "--move", "cars67_classic")}},
        {"copy",
         {swap("cars67_classic", "--copy", "original"),
          swap("original", "--copy", "cars67_classic")}},
        {"renamed",
         {swap("cars67_classic", "--move", "original"), swap("original", "--copy", "again"),
          swap("again", "--move", "original")}},
    };
    for (const auto& row : rows)
        for (const bool undo : {false, true}) {
            SCOPED_TRACE(row.name + std::string(undo ? " undo" : " restore"));
            CliMachine m;
            std::vector<std::map<std::string, std::string>> after = {StoredTree(m)};
            for (const Args& args : row.swaps) {
                const CliRun run = m.Run(args);
                ASSERT_EQ(run.Status, 0) << run.Out << run.Err;
                after.push_back(StoredTree(m));
            }
            for (std::size_t i = 0; i < after.size(); ++i) {
                const std::size_t to = undo ? after.size() - 2 - i : i;
                if (undo && i + 1 == after.size()) break;
                const CliRun run = m.Run(undo ? Args{"--yes", "undo"}
                                              : Args{"--yes", "restore", std::to_string(i)});
                EXPECT_EQ(run.Status, 0) << to << run.Out << run.Err;
                EXPECT_EQ(Differences(StoredTree(m), after[to]), "") << to;
            }
        }
}

const std::string kToken = "0123456789abcdef0123456789abcdef";

// A step or journal made by hand (any member of a shared installation's group may write one)
// that names a folder outside the game, or a stored folder without the swap's own mark: the next
// run refuses it naming its file, and the folders outside stay byte for byte.
TEST(StepBoundary, AHandMadeStepReachesNothingOutside) {
    using Change = history::StepChange;
    const std::string victim = "C:\\victim";
    const std::string game = "C:\\sierra\\gpl\\cars\\cars67\\brm";
    const auto path = [](const std::string& at) {
        Change c;
        c.Path = at;
        c.HasAfter = true;
        c.After.Kind = history::FileState::Type::File;
        c.After.Hash = kToken;
        return c;
    };
    const auto moved = [](Change::Type kind, const std::string& from, const std::string& to) {
        Change c;
        c.Kind = kind;
        c.Path = from;
        c.To = to;
        return c;
    };
    const struct {
        const char* name;
        bool swapFirst;  // the step is that of a swap, its roots changed
        bool pending;    // planted as the journal of a run cut short
        std::function<void(history::Step&)> change;
    } rows[] = {
        {"path", false, false,
         [&](history::Step& s) { s.Changes.push_back(path(victim + "\\keep.txt")); }},
        {"move", false, false,
         [&](history::Step& s) {
             s.Changes.push_back(moved(Change::Type::Move, game + "x", victim));
         }},
        {"move in", false, false,
         [&](history::Step& s) {
             s.Changes.push_back(moved(Change::Type::Move, victim + "\\brm", game));
         }},
        {"exchange", false, false,
         [&](history::Step& s) {
             s.Changes.push_back(moved(Change::Type::Exchange, game, victim));
         }},
        {"pending", false, true,
         [&](history::Step& s) {
             Change c = path(victim + "\\keep.txt");
             c.HasAfter = false;
             s.Changes = {c};
         }},
        {"wrong token", true, false,
         [](history::Step& s) {
             for (auto& [root, token] : s.RootTokens) token = kToken;
         }},
        {"no token", true, false, [](history::Step& s) { s.RootTokens.clear(); }},
        {"token inside a longer line", true, false, [](history::Step&) {}},
        {"stored folder a link", true, false, [](history::Step&) {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CliMachine m;
        fs::create_directories(m.DriveC() / "backup");
        demo::WriteFile(m.DriveC() / "victim" / "keep.txt", "the player's own");
        if (row.swapFirst)
            ASSERT_EQ(m.Run(kSwap).Status, 0);
        else
            InstallStripes(m);
        const fs::path steps = m.Gpl() / "movrand" / "history";
        const fs::path file = row.pending ? steps / "pending.step" : steps / "steps" / "1.step";
        history::Step step = history::ParseStep(CliMachine::Read(steps / "steps" / "1.step"), "");
        if (row.pending) step.Number = 2;
        if (!row.swapFirst) {
            step.Roots.push_back(victim);
            step.RootTokens[victim] = kToken;
        }
        row.change(step);
        std::string text = history::StepText(step);
        if (row.pending) text.resize(text.size() - 4);
        fs::remove(file);
        demo::WriteFile(file, text);
        if (std::string(row.name) == "stored folder a link") {
            fs::rename(m.DriveC() / "backup" / "old", m.DriveC() / "victim" / "old");
            fs::create_directory_symlink(m.DriveC() / "victim" / "old",
                                         m.DriveC() / "backup" / "old");
        }
        if (std::string(row.name) == "token inside a longer line") {
            const fs::path mark = m.DriveC() / "backup" / "old.movrand-stored";
            const std::string text = CliMachine::Read(mark);
            fs::remove(mark);
            demo::WriteFile(mark, "0" + text);
        }
        const auto before = StoredTree(m);
        const CliRun run = m.Run({"--yes", "undo"});
        EXPECT_NE(run.Status, 0);
        EXPECT_NE((run.Out + run.Err).find(file.filename().string()), std::string::npos)
            << run.Out << run.Err;
        EXPECT_EQ(Differences(StoredTree(m), before), "");
    }
}

}  // namespace
}  // namespace movrand::test
