#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "FileSnapshot.h"
#include "OtherDisk.h"
#include "TempDrive.h"
#include "platform/RuntimeError.h"
#include "platform/WholeFileReplace.h"

namespace movrand::test {
namespace {

namespace fs = std::filesystem;
using platform::ReplaceStep;
using Files = std::map<std::string, std::string>;

// The one replace, failed at each of its steps in turn and killed before each: the file is the
// old one, or the new one once it has been renamed, and what a kill leaves beside it is a
// temporary of the program's scheme that the next start sweeps away.
TEST(ReplaceFileWhole, EveryStepFailedOrKilledLeavesTheOldFileOrTheNew) {
    const fs::path folder = MakeTempFolder("movrand-replace-");
    const fs::path target = folder / "driver.ini";
    for (const ReplaceStep failing : {ReplaceStep::Create, ReplaceStep::Write, ReplaceStep::Sync,
                                      ReplaceStep::Rename, ReplaceStep::SyncFolder}) {
        const bool renamed = failing == ReplaceStep::SyncFolder;
        SCOPED_TRACE("step " + std::to_string(static_cast<int>(failing)));
        std::ofstream(target) << "old";
        platform::ReplaceOptions options;
        options.BeforeStep = [&](ReplaceStep step) {
            if (step == failing) throw platform::RuntimeError(platform::kDiskFull);
        };
        bool raised = false;
        try {
            platform::ReplaceFileWithBytes(target, "new", options);
        } catch (const platform::RuntimeError&) {
            raised = true;
        }
        EXPECT_EQ(raised, !renamed);
        EXPECT_EQ(TreeOf(folder), (Files{{"driver.ini", renamed ? "new" : "old"}}));

        std::ofstream(target) << "old";
        const pid_t child = ::fork();
        if (child == 0) {
            options.BeforeStep = [&](ReplaceStep step) {
                if (step == failing) ::_exit(9);
            };
            platform::ReplaceFileWithBytes(target, "new", options);
            ::_exit(0);
        }
        ::waitpid(child, nullptr, 0);
        const Files left = TreeOf(folder);
        EXPECT_EQ(left.at("driver.ini"), renamed ? "new" : "old");
        const int leftovers = static_cast<int>(left.size()) - 1;
        for (const auto& [name, bytes] : left)
            EXPECT_TRUE(name == "driver.ini" || platform::IsOwnTemporary(name)) << name;
        EXPECT_EQ(platform::SweepOwnTemporaries({folder}), leftovers);
        EXPECT_EQ(TreeOf(folder).size(), 1u);
    }
    // A disk that is really full: the old file stays and nothing is left beside it.
    const OtherDisk disk(64 << 10);
    if (!disk.Empty()) {
        std::ofstream(disk.Folder() / "driver.ini") << "old";
        try {
            platform::ReplaceFileWithBytes(disk.Folder() / "driver.ini", std::string(1 << 20, 'x'));
            ADD_FAILURE() << "no error";
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(e.Number(), platform::kDiskFull);
        }
        EXPECT_EQ(TreeOf(disk.Folder()), (Files{{"driver.ini", "old"}}));
    }
    RemoveTree(folder);
}

}  // namespace
}  // namespace movrand::test
