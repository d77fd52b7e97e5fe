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

namespace movrand::test {
namespace {

// Window, control focused first (or nullptr), keys pressed where the focus is, answer read.
using KeyRow = std::tuple<const char*, const char*, std::vector<int>, std::string>;

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
    const KeyRow rows[] = {
        {"frmMsgBox", nullptr, {esc}, "closed"},
        {"frmYesNo", nullptr, {Qt::Key_Enter}, "Y"},
        {"frmYesNo", nullptr, {esc}, "N"},
        {"frmYesNo", nullptr, {tab, Qt::Key_Space}, "N"},
        {"frmTeamFolder", "cbo(0)", {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, enter}, "Cooper"},
        {"frmTeamFolder", "cbo(0)", {tab, esc}, ""},
        {"frmFile", "fle(0)", {Qt::Key_Home, enter}, "C:\\sierra\\gpl\\driver.ini"},
        {"frmFile", "fle(0)", {tab, esc}, ""},
    };
    for (const auto& [name, first, keys, answer] : rows) {
        auto done = WhenModal(
            [&](QWidget* w) { return w->objectName() == name; },
            [&](QWidget* w) {
                EXPECT_TRUE(w->screen()->availableGeometry().contains(w->frameGeometry()));
                for (int i = 0; i < 400 && !w->isActiveWindow(); ++i)
                    QThread::msleep(5), qApp->processEvents();
                if (first) Control(w, first)->setFocus();
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
    QTabWidget* Tabs() { return Find<QTabWidget>("tabMovrand(0)"); }
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
    const char* pages[] = {
        "cbo(1) drv(0) dir(0) cmd(1) txt(3) cmd(3) chk(2) pic(1) lbl(5) lbl(4) "
        "lbl(17) txt(2) lst(0) cbo(4) cbo(5)",
        "drv(2) drv(1) dir(2) dir(1) opt(0) opt(1) txt(0) chk(0) cmd(0)",
        "cbo(0) chk(1) chk(3) cmd(2)", "drv(3) dir(3) cmd(7)"};
    for (int page = 3; page >= 0; --page) {
        Tabs()->setCurrentIndex(page);
        EXPECT_EQ(Text(Shown(true).join(' ')), pages[page]);
    }
    auto about = WhenModal("frmAbout", [](QWidget* w) { PressKey(w, Qt::Key_Escape); });
    PressKey(Find("lbl(4)"), Qt::Key_Space);
    EXPECT_TRUE(*about);
    PressKey(Find("cmd(3)"), Qt::Key_Return);
    EXPECT_EQ(Text(Shown(true).join(' ')), "cbo(3) txt(1) cmd(5) pic(0)");
    const auto look = [&](const char* n) {
        return std::pair(QFontInfo(Find(n)->font()).pixelSize(),
                         Find(n)->palette().color(QPalette::WindowText));
    };
    const auto heading = look("lbl(0)"), box = look("chk(0)");
    Find<QCheckBox>("chk(0)")->setChecked(true);
    EXPECT_EQ(look("lbl(0)").second, QColor(Qt::red));
    Find<QCheckBox>("chk(0)")->setChecked(false);
    EXPECT_TRUE(look("lbl(0)") == heading && look("chk(0)") == box);
}

TEST_F(KeyboardAndClip, NothingCutAndTheWindowFitsAtEveryScale) {
    const std::string deep =
        "C:\\Games\\Grand Prix Legends installations\\the 1967 season with "
        "every historic track\\a copy for the online league races\\gpl\\";
    MakeOtherInstallation(drive.Native(deep));
    drive.Pv.GPLPath = deep;
    demo::MakeDemoAddOns(drive.DriveC() / "addons");
    Open();
    Find<dialogs::FolderListBox>("dir(0)")->SetPath("C:\\addons");
    Find<QCheckBox>("chk(1)")->setChecked(false);  // all categories in the list
    EXPECT_TRUE(window->screen()->availableGeometry().contains(window->frameGeometry()));
    for (int page = 0; page < 4; ++page) {
        Tabs()->setCurrentIndex(page);
        ExpectNothingCut();
        SaveScreenshot(window.get(),
                       QString("keys%1x%2").arg(page).arg(window->devicePixelRatio()));
    }
    EXPECT_EQ(Text(Find<QLabel>("lbl(13)")->accessibleDescription()), deep);
}

}  // namespace
}  // namespace movrand::test
