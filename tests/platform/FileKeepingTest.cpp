// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <fstream>

#include "FileSnapshot.h"
#include "TempDrive.h"
#include "platform/FileKeeping.h"
#include "platform/RuntimeError.h"

namespace movrand::test {
namespace {

// A kept copy is checked as it is put back: a whole one arrives with its recorded permissions
// and time, a damaged one raises and leaves the file that stood there (or nothing) and no
// temporary beside it, whether or not the copy is synced on its own.
TEST(PutBackFile, ArrivesWholeOrNotAtAll) {
    const std::filesystem::path folder = MakeTempFolder("movrand-keep-");
    std::filesystem::create_directory(folder / "live");
    const auto kept = folder / "kept", target = folder / "live" / "car.mip";
    std::ofstream(kept) << "old car";
    const std::string hash = platform::FastHashOfBytes("old car");
    struct Row {
        std::string Stands;  // "" nothing
        bool Damaged;
        bool SyncEach;
    };
    for (const Row& row : {Row{"", false, false}, Row{"new car", false, true}, Row{"", true, false},
                           Row{"new car", true, true}, Row{"new car", true, false}}) {
        std::filesystem::remove(target);
        if (!row.Stands.empty()) std::ofstream(target) << row.Stands;
        const std::string want = row.Damaged ? hash.substr(1) + "0" : hash;
        bool raised = false;
        try {
            platform::PutBackFile(kept, target, 0640, 1234567890123456789, want, "C:\\car.mip",
                                  row.SyncEach);
        } catch (const platform::RuntimeError& e) {
            raised = true;
            EXPECT_NE(std::string(e.what()).find(kept.string()), std::string::npos) << e.what();
        }
        EXPECT_EQ(raised, row.Damaged);
        const auto tree = TreeOf(folder / "live");
        if (row.Damaged) {
            EXPECT_EQ(tree, (row.Stands.empty()
                                 ? std::map<std::string, std::string>{}
                                 : std::map<std::string, std::string>{{"car.mip", row.Stands}}));
            continue;
        }
        EXPECT_EQ(tree, (std::map<std::string, std::string>{{"car.mip", "old car"}}));
        struct stat st {};
        ASSERT_EQ(::stat(target.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0640u);
        EXPECT_EQ(st.st_mtim.tv_sec * 1000000000 + st.st_mtim.tv_nsec, 1234567890123456789);
        const auto written = platform::WrittenFileAt(target, hash);
        ASSERT_TRUE(written);
        EXPECT_TRUE(platform::StillAsWritten(*written));
    }
    RemoveTree(folder);
}

}  // namespace
}  // namespace movrand::test
