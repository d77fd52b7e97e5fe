#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include "DemoInstallation.h"
#include "TempDrive.h"
#include "app/Main.h"
#include "dialogs/ui/FileListBox.h"
#include "dialogs/ui/FolderListBox.h"
#include "dialogs/ui/QtUi.h"
#include "ui/ModalDriver.h"

namespace movrand::test {
namespace {

using dialogs::FileListBox;
using dialogs::FolderListBox;

int VisibleWindows() {
    int visible = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) ++visible;
    return visible;
}

// Opens the folder `name` in the picker's folder list, as a double-click does.
void OpenFolder(QWidget* picker, const QString& name) {
    auto* dir = Control<FolderListBox>(picker, "dir(0)");
    for (int i = 0; i < dir->count(); ++i)
        if (dir->item(i)->text() == name) return DoubleClickRow(dir, i);
    ADD_FAILURE() << "no folder " << name.toStdString();
}

// Reads the message window's text and closes it with OK.
std::function<void(QWidget*)> ReadAndConfirm(QString& text) {
    return [&text](QWidget* box) {
        text = Control<QLabel>(box, "lbl(0)")->text();
        Click(Control(box, "img(0)"));
    };
}

TEST(StartUpWindows, NoDriverIniAnywhereAsksInThePickerAndCancellingEndsWithNoWindow) {
    TempDrive drive(false);
    dialogs::QtUi ui(drive.Pv);
    QString first, last, caption;
    auto told = WhenModal("frmMsgBox", [&](QWidget* box) {
        WhenModal("frmFile", [&](QWidget* picker) {
            caption = picker->windowTitle();
            WhenModal("frmMsgBox", ReadAndConfirm(last));
            Click(Control(picker, "img(1)"));
        });
        ReadAndConfirm(first)(box);
    });
    int mainWindows = 0;
    EXPECT_FALSE(Main(drive.Pv, ui, [&] { ++mainWindows; }));
    EXPECT_TRUE(*told);
    EXPECT_EQ(first, "Unable to find driver.ini           Please locate file.");
    EXPECT_EQ(caption, " Please select the driver.ini file...");
    EXPECT_EQ(last, "The driver.ini file has not been located.  The program is terminating.");
    EXPECT_EQ(mainWindows, 0);
    EXPECT_EQ(VisibleWindows(), 0);
    EXPECT_EQ(drive.Pv.Env.Settings.Get("Zorvex", "Movrand", "DriverIniFile"), "");
}

TEST(StartUpWindows, AFilePickedByHandIsUsedAndRemembered) {
    TempDrive drive(false);
    demo::MakeGplInstallation(drive.DriveC() / "Racing" / "GPL");
    dialogs::QtUi ui(drive.Pv);
    QString first;
    auto told = WhenModal("frmMsgBox", [&](QWidget* box) {
        WhenModal("frmFile", [&](QWidget* picker) {
            OpenFolder(picker, "Racing");
            OpenFolder(picker, "GPL");
            DoubleClickRow(Control<FileListBox>(picker, "fle(0)"), 0);
        });
        ReadAndConfirm(first)(box);
    });
    int mainWindows = 0;
    EXPECT_TRUE(Main(drive.Pv, ui, [&] { ++mainWindows; }));
    EXPECT_TRUE(*told);
    EXPECT_EQ(mainWindows, 1);
    EXPECT_EQ(drive.Pv.DriverIniFile, "C:\\Racing\\GPL\\driver.ini");
    EXPECT_EQ(drive.Pv.GPLPath, "C:\\Racing\\GPL\\");
    EXPECT_EQ(drive.Pv.Env.Settings.Get("Zorvex", "Movrand", "DriverIniFile"),
              "C:\\Racing\\GPL\\driver.ini");
    EXPECT_NE(drive.Read(drive.Pv.DriverWorkFile).find("[driver_1]"), std::string::npos);
}

// The picker over the demo installation's Wine prefix, for a person to look at.
TEST(StartUpWindows, ThePickerOnTheDemoPrefix) {
    TempDrive scratch(false);
    const auto prefix = scratch.Root() / "prefix";
    demo::MakeDemoPrefix(prefix);
    ProgramValues pv = scratch.Pv;
    pv.Env.Drives = platform::DriveTable::FromWinePrefix(prefix);
    dialogs::QtUi ui(pv);
    auto opened = WhenModal("frmFile", [&](QWidget* picker) {
        OpenFolder(picker, "sierra");
        OpenFolder(picker, "gpl");
        ClickRow(Control<FileListBox>(picker, "fle(0)"), 0);
        SaveScreenshot(picker, "frmFile-demo");
        Click(Control(picker, "img(0)"));
    });
    EXPECT_EQ(ui.SelectFile("c:\\", "driver.ini", " Please select the driver.ini file..."),
              "C:\\sierra\\gpl\\driver.ini");
    EXPECT_TRUE(*opened);
}

}  // namespace
}  // namespace movrand::test
