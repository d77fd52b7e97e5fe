// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "TempDrive.h"
#include "dialogs/ui/DriveListBox.h"
#include "dialogs/ui/FolderListBox.h"
#include "ui/SimulatedInput.h"

namespace movrand::test {
namespace {

using dialogs::FolderListBox;

TEST(FolderList, ClickReportsDoubleClickOpensAndTheOpenFolderStaysInView) {
    TempDrive drive;
    drive.Write("C:\\sierra\\gpl\\.hidden\\x", "x");
    FolderListBox dir(drive.Pv.Env.Drives);
    int changes = 0, clicks = 0;
    QObject::connect(&dir, &FolderListBox::changed, [&] { ++changes; });
    QObject::connect(&dir, &FolderListBox::clicked, [&] { ++clicks; });
    dir.resize(300, 400);
    // Paths read as stored on the disk.
    dir.SetPath("c:\\SIERRA\\gpl\\CARS\\cars67\\lotus\\");
    EXPECT_EQ(dir.Path(), "C:\\sierra\\gpl\\cars\\cars67\\LOTUS");
    dir.SetPath("C:\\sierra\\gpl");
    // The way up, then the subfolders in name order; hidden folders are left out.
    ASSERT_EQ(Rows(&dir), QStringList({"C:\\", "sierra", "gpl", "cars", "tracks"}));
    changes = 0;
    ClickRow(&dir, 3);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(dir.Path(), "C:\\sierra\\gpl");
    DoubleClickRow(&dir, 3);
    EXPECT_EQ(dir.Path(), "C:\\sierra\\gpl\\cars");
    EXPECT_EQ(changes, 1);
    // A folder that vanished after it was listed does not open; the list shows what is there.
    dir.SetPath("C:\\sierra\\gpl");
    std::filesystem::remove_all(drive.Native("C:\\sierra\\gpl\\tracks"));
    DoubleClickRow(&dir, 4);
    EXPECT_EQ(Rows(&dir), QStringList({"C:\\", "sierra", "gpl", "cars"}));

    // Filled while hidden, the list brings its open folder into view when it is shown.
    std::string deep = "C:\\deep";
    for (int level = 0; level < 30; ++level) deep += "\\level" + std::to_string(level);
    drive.Write(deep + "\\x.txt", "x");
    dir.resize(200, 120);
    dir.SetPath(deep);
    dir.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(dir.viewport()->rect().intersects(dir.visualItemRect(dir.currentItem())));
}

}  // namespace
}  // namespace movrand::test
