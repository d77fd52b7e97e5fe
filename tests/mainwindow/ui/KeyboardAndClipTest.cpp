// SPDX-License-Identifier: GPL-3.0-or-later
// Every window by keyboard alone, styles that come back, nothing cut (ctest: scale 1 and 2).
#include <QCheckBox>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QThread>
#include <QTimer>

#include "DemoAddOns.h"
#include "Samples.h"
#include "WindowFixture.h"
#include "dialogs/ui/FocusMark.h"
#include "dialogs/ui/QtUi.h"
#include "dialogs/ui/frmFileControls.h"
#include "dialogs/ui/frmTeamFolderControls.h"

namespace movrand::test {
namespace {

// Window, control focused first (or none), keys pressed where the focus is, answer read.
using KeyRow = std::tuple<const char*, QString, std::vector<int>, std::string>;

TEST(DialogKeys, EnterEscapeTabAndSpaceAnswerEveryWindow) {
    TempDrive drive;
    dialogs::QtUi ui(drive.Pv);
    const std::map<std::string, std::function<std::string()>> open = {
        {"frmMsgBox", [&] { return ui.ShowMessage("Done."), std::string("closed"); }},
        {"frmYesNo",
         [&] {
             return std::string(ui.AskYesNo({"Sure?", 0, 0, "", ""}) ? "Y" : "N");
         }},
        {"frmTeamFolder", [&] { return ui.SelectTeam(); }},
        {"frmFile", [&] { return ui.SelectFile("C:\\sierra\\gpl", "*.ini", " Pick"); }}};
    const int tab = Qt::Key_Tab, enter = Qt::Key_Return, esc = Qt::Key_Escape;
    const QString teams = Named("cbo", dialogs::frmTeamFolderControls::cbo::kTeams);
    const QString files = Named("fle", dialogs::frmFileControls::fle::kFiles);
    const KeyRow rows[] = {
        {"frmMsgBox", {}, {esc}, "closed"},
        {"frmYesNo", {}, {Qt::Key_Enter}, "Y"},
        {"frmYesNo", {}, {esc}, "N"},
        {"frmYesNo", {}, {tab, Qt::Key_Space}, "N"},
        {"frmTeamFolder", teams, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, enter}, "Cooper"},
        {"frmTeamFolder", teams, {tab, esc}, ""},
        {"frmFile", files, {Qt::Key_Home, enter}, "C:\\sierra\\gpl\\driver.ini"},
        {"frmFile", files, {tab, esc}, ""},
    };
    for (const auto& [name, first, keys, answer] : rows) {
        auto done = WhenModal(
            [&](QWidget* w) { return w->objectName() == name; },
            [&](QWidget* w) {
                EXPECT_TRUE(w->screen()->availableGeometry().contains(w->frameGeometry()));
                for (int i = 0; i < 400 && !w->isActiveWindow(); ++i)
                    QThread::msleep(5), qApp->processEvents();
                if (!first.isEmpty()) Control(w, first)->setFocus();
                for (int key : keys) {
                    PressKey(w->focusWidget() ? w->focusWidget() : w, key);
                    EXPECT_TRUE(key != tab ||
                                std::ranges::count_if(w->findChildren<dialogs::FocusMark*>(),
                                                      &QWidget::isVisible) == 1);
                }
                QTimer::singleShot(500, w, [w] { w->close(); });  // rather than hang
            },
            2000);
        EXPECT_EQ(open.at(name)(), answer) << name << " " << keys.size() << " keys";
        EXPECT_TRUE(*done);
    }
}

class KeyboardAndClip : public WindowFixture {
  protected:
    QTabWidget* Tabs() { return Find<QTabWidget>("tabMovrand", tabMovrand::kPages); }
    QStringList Shown(bool stops) {
        QStringList shown;
        for (QWidget* w = Tabs()->nextInFocusChain(); w != Tabs(); w = w->nextInFocusChain())
            if (!w->objectName().isEmpty() && w->property("controlKind").isValid() &&
                w->isVisibleTo(window.get()) && (!stops || (w->isEnabled() && w->focusPolicy())))
                shown << w->objectName();
        return shown;
    }
    // Each text fits its room, or is cut with an ellipsis, or has the whole in its tooltip.
    static void Whole(QWidget* w, const QString& text, int need, int room, const QString& tip) {
        EXPECT_TRUE(need <= room || tip.contains(text) || (text.contains(u'…') && !tip.isEmpty()))
            << Text(w->objectName() + ": " + text) << " needs " << need << " has " << room;
    }
    void ExpectNothingCut() {
        for (const QString& name : Shown(false)) {
            QWidget* w = Find(qPrintable(name));
            if (const QString text = w->property("text").toString(); !text.isEmpty())
                Whole(w, text, w->sizeHint().width(), w->width(), w->toolTip());
            if (auto* c = qobject_cast<QComboBox*>(w); c && c->lineEdit())
                for (int i = 0; i < c->count(); ++i)
                    Whole(w, c->itemText(i), c->fontMetrics().horizontalAdvance(c->itemText(i)),
                          c->lineEdit()->width() - 4, "");
            if (auto* list = qobject_cast<QListWidget*>(w))
                for (QListWidgetItem* item : list->findItems("*", Qt::MatchWildcard))
                    Whole(w, item->text(), list->visualItemRect(item).width(),
                          list->viewport()->width(), item->toolTip());
        }
    }
};

TEST_F(KeyboardAndClip, TabFollowsTheReadingOrderEnterPressesAndStylesComeBack) {
    Open();
    // The object names of the controls in the order Tab reaches them.
    const auto names = [](std::initializer_list<QWidget*> order) {
        QStringList list;
        for (QWidget* control : order) list << control->objectName();
        return Text(list.join(' '));
    };
    mainwindow::frmMovrand& m = *window;
    const std::string pages[] = {
        names({m.cbo(cbo::kAddOnFiles), m.drv(drv::kAddOnFolder), m.dir(dir::kAddOnFolder),
               m.cmd(cmd::kAddFiles), m.txt(txt::kCarFiles), m.cmd(cmd::kRemoveMode),
               m.chk(chk::kExcludeGeneric), m.pic(pic::kAddModeHelp), m.lbl(lbl::kMovrand),
               m.lbl(lbl::kMovrandShade), m.lbl(lbl::kZorvex), m.txt(txt::kDescription),
               m.lst(lst::kTeamDrivers), m.cbo(cbo::kDrivers), m.cbo(cbo::kCarNumbers),
               m.cmd(cmd::kStartGpl)}),
        names({m.drv(drv::kDestinationFolder), m.drv(drv::kSourceFolder),
               m.dir(dir::kDestinationFolder), m.dir(dir::kSourceFolder), m.opt(opt::kMove),
               m.opt(opt::kCopy), m.txt(txt::kNewName), m.chk(chk::kDeleteCurrentCarFolder),
               m.cmd(cmd::kSaveCarFolder)}),
        names({m.cbo(cbo::kLinkCategories), m.chk(chk::kAddOnsOnly),
               m.chk(chk::kHalvaneCompatibleOnly), m.cmd(cmd::kUpdateUrl)}),
        names({m.drv(drv::kAlternateInstallation), m.dir(dir::kAlternateInstallation),
               m.chk(chk::kShowHiddenFolders), m.cmd(cmd::kSaveGplDirectory)})};
    for (int page = 3; page >= 0; --page) {
        Tabs()->setCurrentIndex(page);
        EXPECT_EQ(Text(Shown(true).join(' ')), pages[page]);
    }
    auto about = WhenModal("frmAbout", [](QWidget* w) { PressKey(w, Qt::Key_Escape); });
    PressKey(Find("lbl", lbl::kMovrandShade), Qt::Key_Space);
    EXPECT_TRUE(*about);
    PressKey(Find("cmd", cmd::kRemoveMode), Qt::Key_Return);
    EXPECT_EQ(Text(Shown(true).join(' ')),
              names({m.cbo(cbo::kTeams), m.txt(txt::kFilesDescription), m.cmd(cmd::kAddMode),
                     m.pic(pic::kRemoveModeHelp), m.cmd(cmd::kStartGpl)}));
    const auto look = [&](const char* kind, int index) {
        return std::pair(QFontInfo(Find(kind, index)->font()).pixelSize(),
                         Find(kind, index)->palette().color(QPalette::WindowText));
    };
    const auto heading = look("lbl", lbl::kDestinationHeading);
    const auto box = look("chk", chk::kDeleteCurrentCarFolder);
    Find<QCheckBox>("chk", chk::kDeleteCurrentCarFolder)->setChecked(true);
    EXPECT_EQ(look("lbl", lbl::kDestinationHeading).second, QColor(Qt::red));
    Find<QCheckBox>("chk", chk::kDeleteCurrentCarFolder)->setChecked(false);
    EXPECT_TRUE(look("lbl", lbl::kDestinationHeading) == heading &&
                look("chk", chk::kDeleteCurrentCarFolder) == box);
}

TEST_F(KeyboardAndClip, NothingCutAndTheWindowFitsAtEveryScale) {
    const std::string deep =
        "C:\\Games\\Grand Prix Legends installations\\the 1967 season with "
        "every historic track\\a copy for the online league races\\gpl\\";
    MakeOtherInstallation(drive.Native(deep));
    drive.Pv.GPLPath = deep;
    demo::MakeDemoAddOns(drive.DriveC() / "addons");
    Open();
    Find<dialogs::FolderListBox>("dir", dir::kAddOnFolder)->SetPath("C:\\addons");
    Find<QCheckBox>("chk", chk::kAddOnsOnly)->setChecked(false);  // all categories in the list
    EXPECT_TRUE(window->screen()->availableGeometry().contains(window->frameGeometry()));
    for (int page = 0; page < 4; ++page) {
        Tabs()->setCurrentIndex(page);
        ExpectNothingCut();
        SaveScreenshot(window.get(),
                       QString("keys%1x%2").arg(page).arg(window->devicePixelRatio()));
    }
    EXPECT_EQ(Text(Find<QLabel>("lbl", lbl::kCurrentInstallation)->accessibleDescription()), deep);
}

}  // namespace
}  // namespace movrand::test
