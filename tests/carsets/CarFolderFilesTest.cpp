// SPDX-License-Identifier: GPL-3.0-or-later
// A folder's files stand in the set's order whatever list is offered as the likely order: a set
// that matches, one with files the folder lacks or holds beyond it, one out of order, or one that
// a folder of two files differing in letter case alone matches twice.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempDrive.h"
#include "carsets/CarFolderFiles.h"

namespace movrand::carsets {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> PathsOf(const FolderFiles& files) {
    std::vector<std::string> paths;
    for (const FolderFile& file : files.Files) paths.push_back(file.Path);
    return paths;
}

std::vector<CarSetFile> Lines(const std::vector<std::string>& paths) {
    std::vector<CarSetFile> lines;
    for (const std::string& path : paths) lines.push_back({path, 1, ""});
    return lines;
}

struct Likely {
    const char* Name;
    std::vector<std::string> Paths;
};

TEST(CarFolderFiles, AnyLikelyOrderGivesTheSetsOrder) {
    test::TempDrive drive(false);
    const fs::path folder = drive.DriveC() / "cars67";
    for (const char* path : {"Lotus/lot.3do", "Lotus/Z.mip", "brm/a.mip", "brm2/a.mip",
                             "ferrari/fer.3do", "ferrari/FER2.3do", "ferrari/fer10.3do",
                             "ferrari/sub/x.mip", "ferrari/sub0.mip", "top.txt"}) {
        fs::create_directories((folder / path).parent_path());
        std::ofstream(folder / path) << path;
    }
    const FolderFiles sorted = ReadFolderFiles(folder, "C:\\cars67");
    ASSERT_TRUE(sorted.Refusal.empty()) << sorted.Refusal;
    const std::vector<std::string> expected = PathsOf(sorted);
    for (std::size_t i = 1; i < expected.size(); ++i)
        EXPECT_TRUE(SetOrderLess(expected[i - 1], expected[i])) << expected[i];
    const std::vector<Likely> rows = {
        {"TheFolder", expected},
        {"OtherLetterCase", {"brm\\A.MIP", "BRM2\\a.mip", "FERRARI\\fer.3do", "LOTUS\\LOT.3DO"}},
        {"SomeMissingSomeBeyond",
         {"aaa\\x", "brm2\\a.mip", "ferrari\\fer10.3do", "ferrari\\sub\\x.mip", "zzz"}},
        {"OutOfOrder", {"top.txt", "brm\\a.mip", "lotus\\Z.MIP", "ferrari\\fer.3do"}},
        {"Empty", {}},
    };
    for (const Likely& row : rows) {
        SCOPED_TRACE(row.Name);
        const std::vector<CarSetFile> likely = Lines(row.Paths);
        const FolderFiles files = ReadFolderFiles(folder, "C:\\cars67", false, &likely);
        ASSERT_TRUE(files.Refusal.empty()) << files.Refusal;
        EXPECT_EQ(PathsOf(files), expected);
    }
    // Two files of one name in other letter case: refused, whichever order was likely.
    std::ofstream(folder / "ferrari" / "Fer.3do") << "twin";
    for (const Likely& row : rows) {
        SCOPED_TRACE(row.Name);
        const std::vector<CarSetFile> likely = Lines(row.Paths);
        const FolderFiles files = ReadFolderFiles(folder, "C:\\cars67", false, &likely);
        EXPECT_NE(files.Refusal.find("which the game cannot tell apart"), std::string::npos)
            << files.Refusal;
    }
}

}  // namespace
}  // namespace movrand::carsets
