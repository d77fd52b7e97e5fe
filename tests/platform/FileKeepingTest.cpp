// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <fstream>

#include "FileSnapshot.h"
#include "TempDrive.h"
#include "platform/DiskSync.h"
#include "platform/FileKeeping.h"
#include "platform/PutBackGroup.h"
#include "platform/RuntimeError.h"

namespace movrand::test {
namespace {

// Hears the syncs of a put back: what stood at the place each time.
struct SyncsSeen : platform::SyncListener {
    explicit SyncsSeen(std::filesystem::path place) : Place(std::move(place)) {
        platform::ListenToSyncs(this);
    }
    ~SyncsSeen() override { platform::ListenToSyncs(nullptr); }
    void Synced(int, platform::SyncKind kind) override {
        if (kind != platform::SyncKind::Folder)
            Seen.push_back(std::filesystem::exists(Place) ? ReadFile(Place) : "");
    }
    std::filesystem::path Place;
    std::vector<std::string> Seen;
};

// Kept copies are checked as they are put back: a group arrives whole with the recorded
// permissions and times, over what stood there or where nothing did, after one sync of the disk
// for the whole group made before any of them stands at its place; one damaged copy leaves
// every place as it was (the others of its group too) and no temporary beside them.
TEST(PutBackGroup, ArrivesWholeOrNotAtAll) {
    const std::filesystem::path folder = MakeTempFolder("movrand-keep-");
    std::filesystem::create_directory(folder / "live");
    const auto kept = folder / "kept";
    std::ofstream(kept) << "old car";
    const std::string hash = platform::FastHashOfBytes("old car");
    struct Row {
        std::string Stands;  // what stands at the first place; "" nothing
        bool Damaged;        // the second file's copy does not match
    };
    for (const Row& row :
         {Row{"", false}, Row{"new car", false}, Row{"", true}, Row{"new car", true}}) {
        for (const char* name : {"car.mip", "car2.mip"})
            std::filesystem::remove(folder / "live" / name);
        if (!row.Stands.empty()) std::ofstream(folder / "live" / "car.mip") << row.Stands;
        const auto before = TreeOf(folder / "live");
        const platform::Descriptor live = platform::OpenFolderByPath(folder / "live", "live");
        bool raised = false;
        SyncsSeen syncs(folder / "live" / "car.mip");
        try {
            platform::PutBackGroup group;
            for (const char* name : {"car.mip", "car2.mip"}) {
                platform::PutBackGroup::File file;
                file.Kept = kept;
                file.Folder = live.Get();
                file.Target = folder / "live" / name;
                file.Mode = 0640;
                file.ModifiedNs = 1234567890123456789;
                file.Hash = row.Damaged && name[3] == '2' ? hash.substr(1) + "0" : hash;
                file.Shown = name;
                group.Write(file);
            }
            group.Finish();
        } catch (const platform::RuntimeError& e) {
            raised = true;
            EXPECT_NE(std::string(e.what()).find(kept.string()), std::string::npos) << e.what();
        }
        EXPECT_EQ(raised, row.Damaged);
        const auto tree = TreeOf(folder / "live");
        if (row.Damaged) {
            EXPECT_EQ(tree, before);
            continue;
        }
        EXPECT_EQ(syncs.Seen, std::vector<std::string>{row.Stands});
        EXPECT_EQ(tree, (std::map<std::string, std::string>{{"car.mip", "old car"},
                                                            {"car2.mip", "old car"}}));
        const auto target = folder / "live" / "car.mip";
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
