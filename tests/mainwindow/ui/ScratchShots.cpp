#include <gtest/gtest.h>
#include <QTabWidget>
#include <QCheckBox>
#include "DemoAddOns.h"
#include "WindowFixture.h"
#include "dialogs/ui/QtUi.h"
#include "dialogs/ui/frmAbout.h"

namespace movrand::test {
namespace {
class Shots : public WindowFixture {};
TEST_F(Shots, Take) {
    demo::MakeDemoAddOns(drive.DriveC() / "addons");
    dialogs::QtUi ui(drive.Pv);
    Open(&ui);
    Find<dialogs::FolderListBox>("dir(0)")->SetPath("C:\\addons");
    auto* tabs = Find<QTabWidget>("tabMovrand(0)");
    for (int i = 0; i < 4; ++i) {
        if (i == 2) WhenModal("frmMsgBox", [](QWidget* w) { SaveScreenshot(w, "s-msg"); w->close(); });
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        SaveScreenshot(window.get(), QString("s-page%1").arg(i));
        if (i == 2) {
            auto* c = Combo("cbo(0)");
            window->findChild<QCheckBox*>("chk(1)")->setChecked(false);
            QFontMetrics fm(c->font());
            int mx = 0; for (int k = 0; k < c->count(); ++k) mx = std::max(mx, fm.horizontalAdvance(c->itemText(k)));
            printf("combo w %d hint %d maxtext %d chk1 %d/%d chk3 %d/%d cmd2 %d/%d page %d\n", c->width(), c->sizeHint().width(), mx,
              Find("chk(1)")->width(), Find("chk(1)")->sizeHint().width(), Find("chk(3)")->width(), Find("chk(3)")->sizeHint().width(),
              Find("cmd(2)")->width(), Find("cmd(2)")->sizeHint().width(), Find("fra(4)")->width());
        }
    }
    WhenModal("frmYesNo", [](QWidget* w) { for (auto* c : w->findChildren<QWidget*>()) printf("%s %s vis=%d geo=%d,%d %dx%d\n", c->metaObject()->className(), qPrintable(c->objectName()), c->isVisible(), c->x(), c->y(), c->width(), c->height()); printf("win %dx%d px00=%x shp px=%x\n", w->width(), w->height(), w->grab().toImage().pixel(0,0), w->findChild<QWidget*>("shp(0)")->grab().toImage().pixel(0,0)); SaveScreenshot(w, "s-yesno"); w->close(); });
    ui.AskYesNo({"The folder \r\nC:\\x\r\n already exists.\r\n\r\nDo you wish to continue?", 5300, 3200, "", ""});
    WhenModal("frmAbout", [](QWidget* w) { SaveScreenshot(w, "s-about"); w->close(); });
    dialogs::frmAbout about(drive.Pv, ui, window.get()); about.Form_Load(); about.exec();
    WhenModal("frmTeamFolder", [](QWidget* w) { w->findChild<QWidget*>("img(0)")->setFocus(); QCoreApplication::processEvents(); SaveScreenshot(w, "s-team"); w->close(); });
    ui.SelectTeam();
    WhenModal("frmFile", [](QWidget* w) { SaveScreenshot(w, "s-file"); w->close(); });
    ui.SelectFile("C:\\", "driver.ini", " Please select");
}
}  // namespace
}  // namespace movrand::test
