// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>

#include "TempDrive.h"
#include "dialogs/ui/FileListBox.h"
#include "dialogs/ui/FolderListBox.h"
#include "dialogs/ui/QtUi.h"
#include "dialogs/ui/frmFileControls.h"
#include "dialogs/ui/frmMsgBoxControls.h"
#include "dialogs/ui/frmYesNoControls.h"
#include "resources/PictureIds.h"
#include "ui/ModalDriver.h"
#include "ui/SimulatedInput.h"

namespace movrand::dialogs {
namespace {

namespace file = frmFileControls;

using test::Click;
using test::ClickRow;
using test::Control;
using test::DoubleClickRow;
using test::Rows;
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

// The picker opens on its start folder with the use button grey and idle; the path line keeps
// the last clicked file while the user moves on; a double-clicked file returns at once; closing
// it, or a start folder that cannot be opened, gives nothing.
TEST(FilePicker, ChoosesAFileByClickOrDoubleClick) {
    Fixture f;
    auto opened = WhenModal("frmFile", [&](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), kCaption);
        auto* dir = Control<FolderListBox>(w, "dir", file::dir::kFolders);
        auto* fle = Control<FileListBox>(w, "fle", file::fle::kFiles);
        auto* use = Control(w, "img", file::img::kUseThisFile);
        auto* line = Control<QLabel>(w, "lbl", file::lbl::kChosenFile);
        EXPECT_EQ(dir->Path(), "C:\\");
        // Matched without regard to case; hidden files and other names are left out.
        EXPECT_EQ(Rows(fle), QStringList({"Driver.INI"}));
        EXPECT_TRUE(test::ShowsPicture(Control<QLabel>(w, "img", file::img::kUseThisFile),
                                       resources::kGreyTickPicture));
        Click(use);
        EXPECT_TRUE(w->isVisible());
        test::DoubleClickRowNamed(dir, "sierra");
        test::DoubleClickRowNamed(dir, "gpl");
        ClickRow(fle, 0);
        EXPECT_EQ(line->text(), "C:\\sierra\\gpl\\driver.ini");
        test::SaveScreenshot(w, "frmFile");
        Click(use);
    });
    EXPECT_EQ(f.Pick(), "C:\\sierra\\gpl\\driver.ini");
    EXPECT_TRUE(*opened);
    // A file in a drive root takes one separator, not two.
    WhenModal("frmFile", [&](QWidget* w) {
        DoubleClickRow(Control<FileListBox>(w, "fle", file::fle::kFiles), 0);
    });
    EXPECT_EQ(f.Pick(), "C:\\Driver.INI");
    WhenModal("frmFile", [&](QWidget* w) {
        ClickRow(Control<FileListBox>(w, "fle", file::fle::kFiles), 0);
        w->close();
    });
    EXPECT_EQ(f.Pick(), "");
    // A start folder that cannot be opened is reported, and the picker opens all the same.
    auto trapped = test::WhenMessageBox([&](QMessageBox* box) {
        EXPECT_EQ(box->text(), "76\nPath not found: C:\\nowhere");
        box->button(QMessageBox::Ok)->click();
    });
    WhenModal("frmFile", [&](QWidget* w) { Click(Control(w, "img", file::img::kCancel)); });
    EXPECT_EQ(f.Pick("c:\\nowhere\\"), "");
    EXPECT_TRUE(*trapped);
}

// A name longer than the list is wide is shortened in its middle, never scrolled or cut: the
// whole name is its tooltip, and choosing it gives the whole name.
TEST(FilePicker, LongNamesAreShortenedWithTheWholeNameAsTooltip) {
    Fixture f;
    const std::string name(120, 'x');
    f.drive.Write("C:\\" + name + ".ini", "[x]\r\n");
    WhenModal("frmFile", [&](QWidget* w) {
        auto* fle = Control<FileListBox>(w, "fle", file::fle::kFiles);
        ASSERT_EQ(fle->count(), 2);
        QListWidgetItem* item = fle->item(1);
        EXPECT_EQ(item->toolTip().toStdString(), name + ".ini");
        test::SaveScreenshot(w, "frmFile-long-name");
        EXPECT_FALSE(fle->horizontalScrollBar()->isVisible());
        ClickRow(fle, 1);
        Click(Control(w, "img", file::img::kUseThisFile));
    });
    EXPECT_EQ(f.Pick("c:\\", "*.ini"), "C:\\" + name + ".ini");
}

// Dot-folders (where most launchers keep their prefixes) show when the tick box is ticked,
// reached by Tab from the file list and ticked with Space; the choice is remembered.
TEST(FilePicker, ShowsHiddenFoldersWhenAskedAndRemembersIt) {
    Fixture f;
    std::filesystem::create_directories(f.drive.Native("C:\\") / ".local");
    const QStringList plain = {"C:\\", "sierra", "users"};
    const QStringList all = {"C:\\", ".local", "sierra", "users"};
    for (const bool ticked : {false, true}) {
        WhenModal("frmFile", [&](QWidget* w) {
            auto* dir = Control<FolderListBox>(w, "dir", file::dir::kFolders);
            auto* box = Control<QAbstractButton>(w, "chk", file::chk::kShowHiddenFolders);
            EXPECT_EQ(box->text(), "Show hidden folders");
            EXPECT_EQ(box->isChecked(), ticked);
            EXPECT_EQ(Rows(dir), ticked ? all : plain);
            if (!ticked) {
                Control(w, "fle", file::fle::kFiles)->setFocus();
                test::PressKey(w->focusWidget(), Qt::Key_Tab);
                EXPECT_EQ(w->focusWidget(), box);
                test::PressKey(box, Qt::Key_Space, " ");
                EXPECT_EQ(Rows(dir), all);
                test::SaveScreenshot(w, "frmFile-hidden-folders");
            }
            Click(Control(w, "img", file::img::kCancel));
        });
        f.Pick();
    }
}

// Saving: the typed name (or a listed file clicked) joins the open folder with the suffix added
// when missing, and Enter in the name field saves; a name Windows refuses is told, and a file
// that is there is replaced only after a yes.
TEST(FilePicker, SavesUnderATypedNameAskingBeforeReplacing) {
    Fixture f;
    f.drive.Write("C:\\league.carset", "x");
    const auto save = [&] {
        return f.ui.SaveFile("c:\\", "mine_7F3A.carset", ".carset", "Export Car Set");
    };
    WhenModal("frmFile", [&](QWidget* w) {
        auto* name = Control<QLineEdit>(w, "txt", file::txt::kFileName);
        auto* line = Control<QLabel>(w, "lbl", file::lbl::kChosenFile);
        auto* use = Control(w, "img", file::img::kUseThisFile);
        EXPECT_EQ(w->focusWidget(), name);
        EXPECT_EQ(name->accessibleName(), "File name");
        EXPECT_EQ(use->accessibleName(), "Save");
        EXPECT_EQ(Rows(Control<FileListBox>(w, "fle", file::fle::kFiles)),
                  QStringList({"league.carset"}));
        EXPECT_EQ(line->text(), "C:\\mine_7F3A.carset");
        name->clear();
        EXPECT_TRUE(test::ShowsPicture(Control<QLabel>(w, "img", file::img::kUseThisFile),
                                       resources::kGreyTickPicture));
        Click(use);
        EXPECT_TRUE(w->isVisible());
        for (const QChar c : QString("Club")) test::TypeChar(name, c);
        EXPECT_EQ(line->text(), "C:\\Club.carset");
        test::DoubleClickRowNamed(Control<FolderListBox>(w, "dir", file::dir::kFolders), "sierra");
        EXPECT_EQ(line->text(), "C:\\sierra\\Club.carset");
        test::SaveScreenshot(w, "frmFile-save");
        test::PressKey(name, Qt::Key_Return);
    });
    EXPECT_EQ(save(), "C:\\sierra\\Club.carset");
    std::vector<std::string> told;
    const auto answer = [&](int button) {
        WhenModal("frmYesNo", [&told, button](QWidget* w) {
            told.push_back(Control<QLabel>(w, "lbl", 0)->text().toStdString());
            Click(Control(w, "img", button));
        });
    };
    WhenModal("frmFile", [&](QWidget* w) {
        auto* name = Control<QLineEdit>(w, "txt", file::txt::kFileName);
        name->setText("con");
        WhenModal("frmMsgBox", [&](QWidget* box) {
            told.push_back(Control<QLabel>(box, "lbl", 0)->text().toStdString());
            Click(Control(box, "img", frmMsgBoxControls::img::kOk));
        });
        Click(Control(w, "img", file::img::kUseThisFile));
        ClickRow(Control<FileListBox>(w, "fle", file::fle::kFiles), 0);
        EXPECT_EQ(name->text(), "league.carset");
        for (const int button : {frmYesNoControls::img::kNo, frmYesNoControls::img::kYes}) {
            EXPECT_TRUE(w->isVisible());
            answer(button);
            Click(Control(w, "img", file::img::kUseThisFile));
        }
    });
    EXPECT_EQ(save(), "C:\\league.carset");
    ASSERT_EQ(told.size(), 3u);
    EXPECT_TRUE(told[0].starts_with("A file cannot be named con.carset")) << told[0];
    EXPECT_NE(told[1].find("C:\\league.carset"), std::string::npos) << told[1];
    EXPECT_EQ(told[1], told[2]);
}

}  // namespace
}  // namespace movrand::dialogs
