// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

#include "FileSnapshot.h"
#include "TempDrive.h"
#include "platform/RuntimeError.h"
#include "platform/WholeFileReplace.h"

namespace movrand::test {
namespace {

using platform::ReplaceStep;

// The one replace, failed at each of its steps in turn: the file is the old one (the new one once
// renamed) and nothing is left beside it; a temporary that an ended run left is swept, a link is
// not. (Kills at each step are in tests/cli/HostileRecordTest.)
TEST(ReplaceFileWhole, EveryStepFailedLeavesTheOldFileOrTheNewAndNothingBeside) {
    const std::filesystem::path folder = MakeTempFolder("movrand-replace-");
    const auto target = folder / "driver.ini";
    for (const ReplaceStep failing : {ReplaceStep::Create, ReplaceStep::Write, ReplaceStep::Sync,
                                      ReplaceStep::Rename, ReplaceStep::SyncFolder}) {
        std::ofstream(target) << "old";
        platform::ReplaceOptions options;
        options.BeforeStep = [&](ReplaceStep step) {
            if (step == failing) throw platform::RuntimeError(platform::kDiskFull);
        };
        const bool renamed = failing == ReplaceStep::SyncFolder;
        EXPECT_EQ(!renamed, [&] {
            try {
                platform::ReplaceFileWithBytes(target, "new", options);
            } catch (const platform::RuntimeError&) {
                return true;
            }
            return false;
        }());
        EXPECT_EQ(TreeOf(folder),
                  (std::map<std::string, std::string>{{"driver.ini", renamed ? "new" : "old"}}));
    }
    std::ofstream(folder / ".movrand-999999999-0.tmp") << "left by a killed run";
    std::filesystem::create_symlink(target, folder / ".movrand-999999999-1.tmp");
    EXPECT_EQ(platform::SweepOwnTemporaries({folder}), 1);
    EXPECT_EQ(TreeOf(folder).size(), 1u);
    RemoveTree(folder);
}

// A roster the users of a shared installation may all write stays so when it is rewritten, and
// one of its writer's alone stays that; the writer's umask does not decide.
TEST(ReplaceFileWhole, TheNewFileKeepsTheModeOfTheFileItReplaces) {
    const auto target = MakeTempFolder("movrand-replace-") / "driver.ini";
    for (const mode_t mode : {0664, 0600}) {
        std::ofstream(target) << "old";
        ASSERT_EQ(::chmod(target.c_str(), mode), 0);
        platform::ReplaceFileWithBytes(target, "new");
        EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(mode));
    }
    RemoveTree(target.parent_path());
}

}  // namespace
}  // namespace movrand::test
