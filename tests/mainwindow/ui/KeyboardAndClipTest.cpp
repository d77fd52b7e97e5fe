// The main window worked from the keyboard, its styles coming back, and nothing a player reads
// cut, at scale 1 and (run again by ctest) at scale 2 on a 1280 x 1024 screen.
#include <QCheckBox>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>

#include "DemoAddOns.h"
#include "Samples.h"
#include "WindowFixture.h"

namespace movrand::test {
namespace {

class KeyboardAndClip : public WindowFixture {
  protected:
    QTabWidget* Tabs() { return Find<QTabWidget>("tabMovrand(0)"); }
    // Every control of the shown page that the window made, as Tab reaches them or in any order.
    QList<QWidget*> Shown(bool tabStopsOnly) {
        QList<QWidget*> shown;
        for (QWidget* w = Tabs()->nextInFocusChain(); w != Tabs(); w = w->nextInFocusChain())
            if (!w->objectName().isEmpty() && w->property("controlKind").isValid() &&
                w->isVisibleTo(window.get()) &&
                (!tabStopsOnly || (w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))))
                shown << w;
        return shown;
    }
    QString TabStops() {
        QStringList names;
        for (QWidget* w : Shown(true)) names << w->objectName();
        return names.join(' ');
    }
    // A text fits its room, or is cut with an ellipsis and the whole in the tooltip.
    void ExpectWhole(QWidget* w, const QString& text, int need, int room, const QString& tip) {
        EXPECT_TRUE(need <= room || (text.contains(QChar(0x2026)) && !tip.isEmpty()) ||
                    tip.contains(text))
            << Text(w->objectName() + ": " + text) << " needs " << need << " has " << room;
    }
    void ExpectNothingCut() {
        for (QWidget* w : Shown(false)) {
            const QFontMetrics fm = w->fontMetrics();
            if (auto* l = qobject_cast<QLabel*>(w); l && !l->wordWrap() && !l->text().isEmpty())
                ExpectWhole(w, l->text(), fm.horizontalAdvance(l->text()),
                            l->contentsRect().width(), l->toolTip());
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                ExpectWhole(w, b->text(), b->sizeHint().width(), b->width(), "");
            if (auto* c = qobject_cast<QComboBox*>(w))
                for (int i = 0; i < c->count(); ++i)
                    ExpectWhole(w, c->itemText(i), fm.horizontalAdvance(c->itemText(i)),
                                c->lineEdit() ? c->lineEdit()->width() - 4 : c->width(), "");
            if (auto* list = qobject_cast<QListWidget*>(w))
                for (int i = 0; i < list->count(); ++i)
                    ExpectWhole(w, list->item(i)->text(),
                                list->visualItemRect(list->item(i)).width(),
                                list->viewport()->width(), list->item(i)->toolTip());
        }
    }
};

TEST_F(KeyboardAndClip, TabFollowsTheReadingOrderAndEnterPresses) {
    Open();
    const char* pages[] = {
        "cbo(1) drv(0) dir(0) cmd(1) txt(3) cmd(3) chk(2) pic(1) lbl(5) lbl(4) lbl(17) txt(2) lst(0) "
        "cbo(4) cbo(5)",
        "drv(2) drv(1) dir(2) dir(1) opt(0) opt(1) txt(0) chk(0) cmd(0)",
        "cbo(0) chk(1) chk(3) cmd(2)",
        "drv(3) dir(3) cmd(7)",
    };
    for (int page = 3; page >= 0; --page) {
        Tabs()->setCurrentIndex(page);
        EXPECT_EQ(Text(TabStops()), pages[page]);
    }
    auto about = WhenModal("frmAbout", [](QWidget* w) { PressKey(w, Qt::Key_Escape); });
    PressKey(Find("lbl(4)"), Qt::Key_Space);
    EXPECT_TRUE(*about);
    PressKey(Find("cmd(3)"), Qt::Key_Return);
    EXPECT_EQ(Text(TabStops()), "cbo(3) txt(1) cmd(5) pic(0)");
}

// Ticking and unticking the delete box leaves the heading and the box as they were made.
TEST_F(KeyboardAndClip, DeleteBoxRestylesAndTheStyleComesBack) {
    Open();
    Tabs()->setCurrentIndex(1);
    auto look = [&](const char* name) {
        QWidget* w = Find(name);
        return std::make_pair(QFontInfo(w->font()).pixelSize(),
                              w->palette().color(w->foregroundRole()));
    };
    const auto heading = look("lbl(0)"), box = look("chk(0)");
    Find<QCheckBox>("chk(0)")->setChecked(true);
    EXPECT_EQ(look("chk(0)").second, QColor(Qt::red));
    EXPECT_EQ(look("lbl(0)").second, QColor(Qt::red));
    Find<QCheckBox>("chk(0)")->setChecked(false);
    EXPECT_EQ(look("lbl(0)"), heading);
    EXPECT_EQ(look("chk(0)"), box);
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
    const QString scale = QString::number(window->devicePixelRatio());
    EXPECT_TRUE(window->screen()->availableGeometry().contains(window->frameGeometry()));
    for (int page = 0; page < 4; ++page) {
        Tabs()->setCurrentIndex(page);
        ExpectNothingCut();
        SaveScreenshot(window.get(), QString("keyboard-page%1-scale%2").arg(page).arg(scale));
    }
    EXPECT_EQ(Text(Find<QLabel>("lbl(13)")->accessibleDescription()), deep);
}

}  // namespace
}  // namespace movrand::test
