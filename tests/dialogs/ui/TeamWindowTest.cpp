#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>

#include "TempDrive.h"
#include "dialogs/ui/QtUi.h"
#include "dialogs/ui/Twips.h"
#include "ui/ModalDriver.h"
#include "ui/WidgetTexts.h"

namespace movrand::dialogs {
namespace {

using test::Click;
using test::Control;
using test::WhenModal;

struct Fixture {
    test::TempDrive drive{false};
    QtUi ui{drive.Pv};
};

TEST(TeamWindow, OffersTheSevenTeamsWithNoneChosenAndReturnsTheChoiceOrNothing) {
    Fixture f;
    auto opened = WhenModal("frmTeamFolder", [&](QWidget* w) {
        auto* list = Control<QComboBox>(w, "cbo(0)");
        auto* ok = Control<QLabel>(w, "img(0)");
        ASSERT_TRUE(list && ok);
        EXPECT_EQ(test::Rows(list),
                  QStringList({"Brabham", "BRM", "Cooper", "Eagle", "Ferrari", "Honda", "Lotus"}));
        EXPECT_EQ(list->currentIndex(), -1);
        EXPECT_EQ(Control<QLabel>(w, "lbl(0)")->text(),
                  "Please select the team that these files are to be added to:");
        EXPECT_EQ(w->size(), TwipsSize(3600, 1785));
        EXPECT_TRUE(test::ShowsPicture(ok, 101));
        list->setCurrentIndex(2);
        test::SaveScreenshot(w, "frmTeamFolder");
        Click(ok);
    });
    EXPECT_EQ(f.ui.SelectTeam(), "Cooper");
    EXPECT_TRUE(*opened);

    // Closed by the window system, even with a team chosen, it gives no team.
    opened = WhenModal("frmTeamFolder", [&](QWidget* w) {
        Control<QComboBox>(w, "cbo(0)")->setCurrentIndex(0);
        w->close();
    });
    EXPECT_EQ(f.ui.SelectTeam(), "");
    EXPECT_TRUE(*opened);
}

TEST(TeamWindow, OkWithoutAChoiceShowsTheMessageAndStays) {
    Fixture f;
    bool stayed = false;
    QString message;
    QSize messageSize;
    auto opened = WhenModal("frmTeamFolder", [&](QWidget* team) {
        WhenModal("frmMsgBox", [&](QWidget* box) {
            message = Control<QLabel>(box, "lbl(0)")->text();
            messageSize = box->size();
            Click(Control(box, "img(0)"));
        });
        Click(Control(team, "img(0)"));  // returns once the message is closed
        stayed = team->isVisible();
        Control<QComboBox>(team, "cbo(0)")->setCurrentIndex(5);
        Click(Control(team, "img(0)"));
    });
    EXPECT_EQ(f.ui.SelectTeam(), "Honda");
    EXPECT_TRUE(*opened);
    EXPECT_EQ(message, "Please select the team.");
    EXPECT_EQ(messageSize, TwipsSize(3600, 1785));
    EXPECT_TRUE(stayed);
}

}  // namespace
}  // namespace movrand::dialogs
