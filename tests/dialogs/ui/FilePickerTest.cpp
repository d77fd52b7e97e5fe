#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>

#include "TempDrive.h"
#include "dialogs/ui/DriveListBox.h"
#include "dialogs/ui/FileListBox.h"
#include "dialogs/ui/FolderListBox.h"
#include "dialogs/ui/PictureButton.h"
#include "dialogs/ui/QtUi.h"
#include "dialogs/ui/Twips.h"
#include "ui/ModalDriver.h"
#include "ui/WidgetTexts.h"

namespace movrand::dialogs {
namespace {

using test::Click;
using test::ClickRow;
using test::Control;
using test::DoubleClickRow;
using test::Rows;
using test::ShowsPicture;
using test::WhenModal;

constexpr const char* kCaption = " Please select the driver.ini file...";

struct Fixture {
    test::TempDrive drive;  // C:\sierra\gpl with driver.ini
    QtUi ui{drive.Pv};
    Fixture() {
        drive.Write("C:\\Driver.INI", "[x]\r\n");
        drive.Write("C:\\notes.txt", "x");
        drive.Write("C:\\.hidden.ini", "x");
    }
    std::string Pick(const std::string& path = "c:\\", const std::string& pattern = "driver.ini") {
        return ui.SelectFile(path, pattern, kCaption);
    }
};

void OpenFolder(QWidget* picker, const QString& name) {
    test::DoubleClickRowNamed(Control<FolderListBox>(picker, "dir(0)"), name);
}

TEST(FilePicker, OpensOnTheStartFolderWithTheGreyUseButtonAndCancelOrCloseGiveNothing) {
    Fixture f;
    auto opened = WhenModal("frmFile", [&](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), kCaption);
        EXPECT_EQ(w->size(), TwipsSize(6105, 4320));
        auto* drv = Control<DriveListBox>(w, "drv(0)");
        auto* dir = Control<FolderListBox>(w, "dir(0)");
        auto* fle = Control<FileListBox>(w, "fle(0)");
        auto* use = Control<PictureButton>(w, "img(0)");
        auto* cancel = Control<PictureButton>(w, "img(1)");
        ASSERT_TRUE(drv && dir && fle && use && cancel);
        EXPECT_EQ(drv->Drive(), "c:");
        EXPECT_EQ(dir->Path(), "C:\\");
        // Matched without regard to case; hidden files and other names are left out.
        EXPECT_EQ(Rows(fle), QStringList({"Driver.INI"}));
        EXPECT_TRUE(ShowsPicture(use, 141));
        EXPECT_FALSE(use->testAttribute(Qt::WA_SetCursor));  // the default arrow
        EXPECT_EQ(use->toolTip(), " Disabled (file not selected) ");
        EXPECT_TRUE(ShowsPicture(cancel, 103));
        EXPECT_EQ(cancel->cursor().shape(), Qt::BitmapCursor);
        EXPECT_TRUE(Control<QLabel>(w, "lbl(0)")->text().isEmpty());

        // The use button does nothing before a file is clicked.
        Click(use);
        EXPECT_TRUE(w->isVisible());
        Click(cancel);
    });
    EXPECT_EQ(f.Pick(), "");
    EXPECT_TRUE(*opened);

    // Closing by the title bar returns nothing, even with a file chosen.
    opened = WhenModal("frmFile", [&](QWidget* w) {
        ClickRow(Control<FileListBox>(w, "fle(0)"), 0);
        EXPECT_FALSE(Control<QLabel>(w, "lbl(0)")->text().isEmpty());
        w->close();
    });
    EXPECT_EQ(f.Pick(), "");
    EXPECT_TRUE(*opened);
}

TEST(FilePicker, ThePathLineKeepsTheLastClickedFileAndADoubleClickedFileReturnsAtOnce) {
    Fixture f;
    auto opened = WhenModal("frmFile", [&](QWidget* w) {
        auto* fle = Control<FileListBox>(w, "fle(0)");
        auto* use = Control<PictureButton>(w, "img(0)");
        auto* line = Control<QLabel>(w, "lbl(0)");
        OpenFolder(w, "sierra");
        OpenFolder(w, "gpl");
        EXPECT_EQ(Rows(fle), QStringList({"driver.ini"}));
        test::SaveScreenshot(w, "frmFile");
        ClickRow(fle, 0);
        EXPECT_EQ(line->text(), "C:\\sierra\\gpl\\driver.ini");
        EXPECT_TRUE(ShowsPicture(use, 101));
        EXPECT_EQ(use->cursor().shape(), Qt::BitmapCursor);
        EXPECT_EQ(use->toolTip(), " Click to Use this File ");
        // Back to the drive's root: its files are listed, the path line stays.
        DoubleClickRow(Control<FolderListBox>(w, "dir(0)"), 0);
        EXPECT_EQ(Control<FolderListBox>(w, "dir(0)")->Path(), "C:\\");
        EXPECT_EQ(Rows(fle), QStringList({"Driver.INI"}));
        EXPECT_EQ(line->text(), "C:\\sierra\\gpl\\driver.ini");
        Click(use);
    });
    EXPECT_EQ(f.Pick(), "C:\\sierra\\gpl\\driver.ini");
    EXPECT_TRUE(*opened);

    // A file in a drive root takes one separator, not two.
    opened = WhenModal("frmFile",
                       [&](QWidget* w) { DoubleClickRow(Control<FileListBox>(w, "fle(0)"), 0); });
    EXPECT_EQ(f.Pick(), "C:\\Driver.INI");
    EXPECT_TRUE(*opened);
}

TEST(FilePicker, ADriveChangeMovesTheFolderListAndTheFileList) {
    Fixture f;
    f.drive.AddDrive('D', f.drive.Root() / "d");
    f.drive.Write("D:\\DRIVER.ini", "x");
    f.drive.Write("D:\\other.ini", "x");
    auto opened = WhenModal("frmFile", [&](QWidget* w) {
        auto* drv = Control<DriveListBox>(w, "drv(0)");
        drv->setCurrentIndex(drv->findText("d:"));
        EXPECT_EQ(Control<FolderListBox>(w, "dir(0)")->Path(), "D:\\");
        EXPECT_EQ(Rows(Control<FileListBox>(w, "fle(0)")), QStringList({"DRIVER.ini"}));
        DoubleClickRow(Control<FileListBox>(w, "fle(0)"), 0);
    });
    EXPECT_EQ(f.Pick(), "D:\\DRIVER.ini");
    EXPECT_TRUE(*opened);
}

TEST(FilePicker, AMissingStartFolderIsReportedAndTheWindowOpensAsDesigned) {
    Fixture f;
    QString report, title;
    auto trapped = test::WhenMessageBox([&](QMessageBox* box) {
        report = box->text();
        title = box->windowTitle();
        box->button(QMessageBox::Ok)->click();
    });
    bool checked = false;
    auto opened = WhenModal("frmFile", [&](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), " ZorvexFF");
        auto* fle = Control<FileListBox>(w, "fle(0)");
        EXPECT_EQ(fle->Pattern(), "*.*");
        EXPECT_TRUE(fle->toolTip().isEmpty());
        EXPECT_EQ(Rows(fle), QStringList({"Driver.INI", "notes.txt"}));
        checked = true;
        Click(Control(w, "img(1)"));
    });
    EXPECT_EQ(f.Pick("c:\\nowhere\\"), "");
    EXPECT_TRUE(*trapped);
    EXPECT_TRUE(*opened);
    EXPECT_TRUE(checked);
    EXPECT_EQ(report, "76\nPath not found");
    EXPECT_EQ(title, "MovrandError");

    // A drive the machine does not have.
    trapped = test::WhenMessageBox([&](QMessageBox* box) {
        report = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    opened = WhenModal("frmFile", [&](QWidget* w) { w->close(); });
    EXPECT_EQ(f.Pick("q:\\"), "");
    EXPECT_TRUE(*trapped);
    EXPECT_EQ(report, "71\nDisk not ready");
}

}  // namespace
}  // namespace movrand::dialogs
