#include <gtest/gtest.h>

#include "TempDrive.h"
#include "dialogs/ui/DriveListBox.h"
#include "dialogs/ui/FolderListBox.h"
#include "platform/RuntimeError.h"
#include "ui/SimulatedInput.h"
#include "ui/WidgetTexts.h"

namespace movrand::test {
namespace {

using dialogs::DriveListBox;
using dialogs::FolderListBox;

int RuntimeErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const platform::RuntimeError& e) {
        return e.Number();
    }
    return 0;
}

// A drive list and its folder list, linked the one way their owner links them.
struct Pair {
    explicit Pair(const platform::DriveTable& drives) : drv(drives), dir(drives) {
        QObject::connect(&drv, &DriveListBox::changed, [this] {
            try {
                dir.SetPath(drv.Drive());
            } catch (const platform::RuntimeError& e) {
                ADD_FAILURE() << "drive change raised " << e.Number();
            }
        });
        QObject::connect(&dir, &FolderListBox::changed, [this] { ++changes; });
        QObject::connect(&dir, &FolderListBox::clicked, [this] { ++clicks; });
    }
    DriveListBox drv;
    FolderListBox dir;
    int changes = 0;
    int clicks = 0;
};

TEST(DriveAndFolderLists, TheFolderListFollowsTheDriveReadsPathsAsStoredAndStaysOnErrors) {
    TempDrive drive;
    drive.AddDrive('D', drive.Root() / "d");
    drive.Write("D:\\games\\readme.txt", "x");
    Pair pair(drive.Pv.Env.Drives);
    EXPECT_EQ(pair.drv.count(), 2);
    EXPECT_EQ(pair.drv.itemText(1).toStdString(), "d:");

    pair.drv.SetDrive("c:\\sierra");
    pair.dir.SetPath("C:\\sierra\\gpl\\");
    pair.changes = 0;
    pair.drv.SetDrive("D");
    EXPECT_EQ(pair.drv.Drive(), "d:");
    EXPECT_EQ(pair.dir.Path(), "D:\\");
    EXPECT_EQ(pair.changes, 1);
    EXPECT_EQ(Rows(&pair.dir), QStringList({"D:\\", "games"}));
    // Choosing the drive already shown raises nothing; the folder list is left alone.
    pair.dir.SetPath("D:\\games");
    pair.drv.SetDrive("d:\\elsewhere");
    EXPECT_EQ(pair.dir.Path(), "D:\\games");

    pair.dir.SetPath("c:\\SIERRA\\gpl\\CARS\\cars67\\lotus\\");
    EXPECT_EQ(pair.dir.Path(), "C:\\sierra\\gpl\\cars\\cars67\\LOTUS");
    pair.dir.SetPath("C:\\sierra\\gpl\\..\\..");
    EXPECT_EQ(pair.dir.Path(), "C:\\");
    pair.dir.SetPath("sierra");  // taken from the open folder
    EXPECT_EQ(pair.dir.Path(), "C:\\sierra");
    pair.dir.SetPath("C:");  // the drive's current folder: the working folder is not on C:
    EXPECT_EQ(pair.dir.Path(), "C:\\");

    // A folder or drive that cannot be opened raises and leaves the list as it was.
    pair.dir.SetPath("C:\\sierra\\gpl");
    pair.changes = 0;
    const auto before = Rows(&pair.dir);
    EXPECT_EQ(RuntimeErrorOf([&] { pair.dir.SetPath("C:\\sierra\\gone"); }),
              platform::kPathNotFound);
    EXPECT_EQ(RuntimeErrorOf([&] { pair.dir.SetPath("C:\\sierra\\gpl\\gpl.exe"); }),
              platform::kPathNotFound);
    EXPECT_EQ(RuntimeErrorOf([&] { pair.dir.SetPath("Q:\\"); }), platform::kDiskNotReady);
    EXPECT_EQ(RuntimeErrorOf([&] { pair.drv.SetDrive("Q"); }), platform::kDiskNotReady);
    EXPECT_EQ(pair.dir.Path(), "C:\\sierra\\gpl");
    EXPECT_EQ(Rows(&pair.dir), before);
    EXPECT_EQ(pair.changes, 0);
}

TEST(DriveAndFolderLists, ClickReportsAndDoubleClickOpens) {
    TempDrive drive;
    drive.Write("C:\\sierra\\gpl\\.hidden\\x", "x");
    Pair pair(drive.Pv.Env.Drives);
    pair.dir.resize(300, 400);
    pair.dir.SetPath("C:\\sierra\\gpl");
    // The way up, then the subfolders in name order; hidden folders are left out.
    ASSERT_EQ(Rows(&pair.dir), QStringList({"C:\\", "sierra", "gpl", "cars", "tracks"}));
    pair.changes = 0;

    ClickRow(&pair.dir, 3);
    EXPECT_EQ(pair.clicks, 1);
    EXPECT_EQ(pair.changes, 0);
    EXPECT_EQ(pair.dir.Path(), "C:\\sierra\\gpl");
    EXPECT_EQ(pair.dir.HighlightedPath(), "C:\\sierra\\gpl\\cars");

    DoubleClickRow(&pair.dir, 3);
    EXPECT_EQ(pair.dir.Path(), "C:\\sierra\\gpl\\cars");
    EXPECT_EQ(pair.changes, 1);

    // Enter on an entry of the way up opens it too.
    pair.dir.setCurrentRow(1);
    PressKey(&pair.dir, Qt::Key_Return);
    EXPECT_EQ(pair.dir.Path(), "C:\\sierra");
    EXPECT_EQ(pair.changes, 2);

    // A folder that vanished after it was listed does not open; the list shows what is there.
    pair.dir.SetPath("C:\\sierra\\gpl");
    std::filesystem::remove_all(drive.Native("C:\\sierra\\gpl\\tracks"));
    pair.changes = 0;
    DoubleClickRow(&pair.dir, 4);
    EXPECT_EQ(pair.dir.Path(), "C:\\sierra\\gpl");
    EXPECT_EQ(pair.changes, 0);
    EXPECT_EQ(Rows(&pair.dir), QStringList({"C:\\", "sierra", "gpl", "cars"}));
}

// The open folder is always in view: at once when the list is showing, at its first showing when
// it was filled while hidden (as the window's lists are before it opens).
TEST(DriveAndFolderLists, TheOpenFolderComesIntoViewWhenTheListIsShown) {
    TempDrive drive;
    std::string deep = "C:\\deep";
    for (int level = 0; level < 30; ++level) deep += "\\level" + std::to_string(level);
    drive.Write(deep + "\\x.txt", "x");
    FolderListBox dir(drive.Pv.Env.Drives);
    dir.resize(200, 120);
    const auto openFolderInView = [&] {
        return dir.viewport()->rect().intersects(dir.visualItemRect(dir.currentItem()));
    };

    dir.SetPath(deep);
    dir.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(dir.currentItem()->text().toStdString(), "level29");
    EXPECT_TRUE(openFolderInView());

    dir.SetPath("C:\\");
    EXPECT_TRUE(openFolderInView());
    dir.SetPath(deep);
    EXPECT_TRUE(openFolderInView());
}

}  // namespace
}  // namespace movrand::test
