// SPDX-License-Identifier: GPL-3.0-or-later
// The fingerprints kept between comparisons spare reading a folder that did not change, and
// never stand for a file that did: whatever its time says, and whatever the cache file holds.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "TempDrive.h"
#include "carsets/CarSetWork.h"

namespace movrand::carsets {
namespace {

namespace fs = std::filesystem;

struct Change {
    const char* Name;
    std::function<void(test::TempDrive&, const fs::path& file)> Make;
    bool Differs;
};

// Same size, other bytes, the old modification time given back.
void RewriteKeepingTime(const fs::path& file) {
    const auto time = fs::last_write_time(file);
    std::FILE* out = std::fopen(file.c_str(), "r+b");
    std::fputs("FER", out);
    std::fclose(out);
    fs::last_write_time(file, time);
}

TEST(CarSetCache, AFileChangedSinceItWasReadIsReadAgain) {
    const std::string cache = "C:\\sierra\\gpl\\movrand\\history\\sethashes";
    const std::vector<Change> rows = {
        {"Unchanged", [](test::TempDrive&, const fs::path&) {}, false},
        {"RewrittenTimeSetBack", [](test::TempDrive&, const fs::path& f) { RewriteKeepingTime(f); },
         true},
        {"ReplacedSameSizeAndTime",
         [](test::TempDrive&, const fs::path& f) {
             const fs::path other = f.parent_path() / "other";
             fs::copy_file(f, other);
             RewriteKeepingTime(other);
             fs::last_write_time(other, fs::last_write_time(f));
             fs::rename(other, f);
         },
         true},
        {"CacheDamaged",
         [&](test::TempDrive& drive, const fs::path&) {
             std::string bytes = drive.Read(cache);
             ASSERT_GT(bytes.size(), 33u);
             bytes[bytes.size() - 33] ^= 1;  // a kept fingerprint, its file unchanged
             drive.Write(cache, bytes);
         },
         false},
        {"CacheCutShort",
         [&](test::TempDrive& drive, const fs::path&) {
             drive.Write(cache, drive.Read(cache).substr(0, 100));
         },
         false},
    };
    for (const Change& row : rows) {
        test::TempDrive drive;
        drive.Write("C:\\sierra\\gpl\\cars\\cars67\\ferrari\\fer9.3do", "ferrari 312 of 1967");
        drive.Write("C:\\sierra\\gpl\\cars\\cars67\\LOTUS\\lot49.mip", "lotus 49");
        // A file changed in the very tick it is read is never kept: the files settle first.
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        ASSERT_TRUE(ExportCarSet(drive.Pv, drive.Ui, "C:\\league", "", "League"))
            << drive.Ui.Transcript();
        ASSERT_TRUE(drive.Exists(cache)) << row.Name;
        row.Make(drive, drive.Native("C:\\sierra\\gpl\\cars\\cars67\\ferrari\\fer9.3do"));
        const auto keptAt = fs::last_write_time(drive.Native(cache));
        const auto compared = CompareCarSet(drive.Pv, drive.Ui, "C:\\league.carset", "");
        ASSERT_TRUE(compared) << row.Name << drive.Ui.Transcript();
        EXPECT_EQ(compared->Differences.size(), row.Differs ? 1u : 0u) << row.Name;
        // Nothing read again, nothing written: the cache file is the very one.
        if (std::string(row.Name) == "Unchanged") {
            EXPECT_EQ(fs::last_write_time(drive.Native(cache)), keptAt);
        }
    }
}

}  // namespace
}  // namespace movrand::carsets
