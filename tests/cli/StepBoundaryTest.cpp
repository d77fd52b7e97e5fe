// SPDX-License-Identifier: GPL-3.0-or-later
// The history never reaches outside the installation and the stored car folders its own swap
// made: not through a link the player put in, nor for a step or journal made by hand.
#include <gtest/gtest.h>

#include "CliRunner.h"
#include "DemoAddOns.h"
#include "FileSnapshot.h"

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
                {"cars/cars67/ferrari", {"--yes", "restore", "0"}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.linked + (" " + row.command[1]));
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

// The stored car folders named in the trees compared: the marks the swap leaves aside.
std::map<std::string, std::string> StoredTree(const CliMachine& m) {
    std::map<std::string, std::string> tree;
    for (const char* top : {"carfolders", "backup", "sierra/gpl/cars", "victim"})
        for (auto& [name, bytes] : TreeOf(m.DriveC() / top))
            if (name.find("zorvexstored.zorvex") == std::string::npos &&
                name.find(".movrand-stored") == std::string::npos)
                tree[top + ("/" + name)] = bytes;
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

}  // namespace
}  // namespace movrand::test
