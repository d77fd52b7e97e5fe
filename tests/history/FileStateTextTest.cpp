// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "history/StepRecord.h"

namespace movrand::test {
namespace {

using history::FileState;

// The states in a step file are read back by every later run, and by runs of older versions:
// each is written exactly so (size and times in decimal, permissions in octal, the look only
// where it is known) and read back whole.
TEST(FileStateText, IsWrittenAsEveryVersionReadsIt) {
    const std::string hash = "0123456789abcdef0123456789abcdef";
    FileState file;
    file.Kind = FileState::Type::File;
    file.Size = 100000;
    file.Mode = 0644;
    file.ModifiedNs = 1796750987996150550;
    file.Hash = hash;
    FileState looked = file;
    looked.Device = 2049;
    looked.Number = 1234567;
    looked.ChangedNs = 1796750988000000001;
    FileState early = file;
    early.Size = 0;
    early.Mode = 0;
    early.ModifiedNs = -1500000000;  // before 1970
    FileState folder;
    folder.Kind = FileState::Type::Folder;
    folder.Mode = 02775;
    const struct Row {
        FileState State;
        std::string Text;
    } rows[] = {
        {FileState{}, "-"},
        {folder, "d2775"},
        {file, "f100000:644:1796750987996150550:" + hash},
        {looked, "f100000:644:1796750987996150550:" + hash + ":2049:1234567:1796750988000000001"},
        {early, "f0:0:-1500000000:" + hash},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.State.Text(), row.Text);
        const auto back = FileState::Parse(row.Text);
        ASSERT_TRUE(back) << row.Text;
        EXPECT_EQ(back->Text(), row.Text);
        EXPECT_EQ(back->Number, row.State.Number) << row.Text;
        EXPECT_EQ(back->ModifiedNs, row.State.ModifiedNs) << row.Text;
    }
    // A state with parts missing or too many is no state (a damaged step).
    for (const std::string& bad :
         {std::string("f1:644:5"), "f1:644:5:" + hash + ":2049", "f1:644:5:" + hash + ":1:2:3:4",
          "f1:644:5:" + hash + ":1:2:3:4:5:6:7:8", "f1:644:5:" + hash + ":1:0:3"})
        EXPECT_FALSE(FileState::Parse(bad)) << bad;
}

}  // namespace
}  // namespace movrand::test
