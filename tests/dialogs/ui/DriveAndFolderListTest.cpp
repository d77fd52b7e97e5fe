#include <gtest/gtest.h>

#include "TempDrive.h"
#include "dialogs/ui/DriveListBox.h"
#include "dialogs/ui/FolderListBox.h"
#include "platform/RuntimeError.h"
#include "ui/SimulatedInput.h"
#include "ui/SimulatedInput.h"

namespace movrand::test {
namespace {

using dialogs::FolderListBox;

// Paths read as stored, relative and bare-drive paths resolve, and a folder or drive that cannot
// be opened raises its number and leaves the list as it was.
TEST(FolderList, OpensFoldersAsStoredAndStaysOnErrors) {
    TempDrive drive;
    FolderListBox dir(drive.Pv.Env.Drives);
    int changes = 0;
    QObject::connect(&dir, &FolderListBox::changed, [&] { ++changes; });
    const std::pair<const char*, const char*> opens[] = {
        {"c:\\SIERRA\\gpl\\CARS\\cars67\\lotus\\", "C:\\sierra\\gpl\\cars\\cars67\\LOTUS"},
        {"C:\\sierra\\gpl\\..\\..", "C:\\"},
        {"sierra", "C:\\sierra"},
        {"C:", "C:\\"},  // the working folder is not on C:
        {"C:\\sierra\\gpl", "C:\\sierra\\gpl"}};
    for (auto [path, opened] : opens) {
        dir.SetPath(path);
        EXPECT_EQ(dir.Path(), opened) << path;
    }
    const std::pair<const char*, int> refused[] = {
        {"C:\\sierra\\gone", platform::kPathNotFound},
        {"C:\\sierra\\gpl\\gpl.exe", platform::kPathNotFound},
        {"Q:\\", platform::kDiskNotReady}};
    changes = 0;
    const auto before = Rows(&dir);
    for (auto [path, number] : refused) {
        try {
            dir.SetPath(path);
            ADD_FAILURE() << path;
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(e.Number(), number) << path;
        }
    }
    EXPECT_EQ(Rows(&dir), before);
    EXPECT_EQ(changes, 0);
}

TEST(FolderList, ClickReportsDoubleClickOpensAndTheOpenFolderStaysInView) {
    TempDrive drive;
    drive.Write("C:\\sierra\\gpl\\.hidden\\x", "x");
    FolderListBox dir(drive.Pv.Env.Drives);
    int changes = 0, clicks = 0;
    QObject::connect(&dir, &FolderListBox::changed, [&] { ++changes; });
    QObject::connect(&dir, &FolderListBox::clicked, [&] { ++clicks; });
    dir.resize(300, 400);
    dir.SetPath("C:\\sierra\\gpl");
    // The way up, then the subfolders in name order; hidden folders are left out.
    ASSERT_EQ(Rows(&dir), QStringList({"C:\\", "sierra", "gpl", "cars", "tracks"}));
    changes = 0;
    ClickRow(&dir, 3);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(dir.Path(), "C:\\sierra\\gpl");
    DoubleClickRow(&dir, 3);
    EXPECT_EQ(dir.Path(), "C:\\sierra\\gpl\\cars");
    dir.setCurrentRow(1);
    PressKey(&dir, Qt::Key_Return);
    EXPECT_EQ(dir.Path(), "C:\\sierra");
    EXPECT_EQ(changes, 2);
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
