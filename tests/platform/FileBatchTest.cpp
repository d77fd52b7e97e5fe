#include <gtest/gtest.h>

#include <functional>

#include "TempDrive.h"
#include "platform/FaultPlan.h"
#include "platform/RuntimeError.h"

namespace movrand::test {
namespace {

using platform::RuntimeError;

int ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.Number();
    }
    return 0;
}

TEST(FileBatches, CopyIntoAFolderReplacesNamesOfAnyCaseAndCountsEachFile) {
    TempDrive drive;
    drive.Write("C:\\src\\A.txt", "new a");
    drive.Write("C:\\src\\b.txt", "new b");
    drive.Write("C:\\dst\\a.TXT", "old a");
    drive.Pv.Env.Faults = std::make_shared<platform::FaultPlan>();
    platform::FileSystem fs = drive.Pv.Files();
    fs.CopyFilesInto("C:\\SRC", {"a.txt", "B.TXT"}, "C:\\dst");
    EXPECT_EQ(fs.FileNames("C:\\dst"), (std::vector<std::string>{"a.TXT", "b.txt"}));
    EXPECT_EQ(drive.Read("C:\\dst\\a.TXT"), "new a");
    EXPECT_EQ(drive.Read("C:\\dst\\b.txt"), "new b");
    EXPECT_EQ(drive.Pv.Env.Faults->Count(), 2);
    EXPECT_EQ(ErrorOf([&] { fs.CopyFilesInto("C:\\src", {"missing.txt"}, "C:\\dst"); }),
              platform::kFileNotFound);
    EXPECT_EQ(ErrorOf([&] { fs.CopyFilesInto("C:\\src", {"b.txt"}, "C:\\nowhere"); }),
              platform::kPathNotFound);
    EXPECT_EQ(ErrorOf([&] { fs.CopyFilesInto("C:\\src", {"b.txt"}, "C:\\dst", false); }),
              platform::kFileAlreadyExists);
}

TEST(FileBatches, MoveIntoAFolderStopsAtTheFailingFile) {
    TempDrive drive;
    for (const char* name : {"1.txt", "2.txt", "3.txt"})
        drive.Write(std::string("C:\\src\\") + name, name);
    drive.Write("C:\\dst\\keep.txt", "keep");
    drive.Pv.Env.Faults = std::make_shared<platform::FaultPlan>();
    drive.Pv.Env.Faults->FailAt(2, platform::kDiskFull);
    platform::FileSystem fs = drive.Pv.Files();
    EXPECT_EQ(ErrorOf([&] {
                  fs.MoveFilesInto("C:\\src", {"1.txt", "2.txt", "3.txt"}, "C:\\dst\\");
              }),
              platform::kDiskFull);
    EXPECT_EQ(fs.FileNames("C:\\src"), (std::vector<std::string>{"2.txt", "3.txt"}));
    EXPECT_EQ(drive.Read("C:\\dst\\1.txt"), "1.txt");
    // A file of the name already in the destination is never overwritten by a move.
    drive.Pv.Env.Faults->Clear();
    drive.Write("C:\\src\\KEEP.TXT", "other");
    EXPECT_EQ(ErrorOf([&] { fs.MoveFilesInto("C:\\src", {"KEEP.TXT"}, "C:\\dst"); }),
              platform::kFileAlreadyExists);
    EXPECT_EQ(drive.Read("C:\\dst\\keep.txt"), "keep");
}

}  // namespace
}  // namespace movrand::test
