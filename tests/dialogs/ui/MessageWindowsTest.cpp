#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMessageBox>

#include "TempDrive.h"
#include "dialogs/ui/PictureButton.h"
#include "dialogs/ui/QtUi.h"
#include "dialogs/ui/Twips.h"
#include "platform/ErrorTrap.h"
#include "ui/ModalDriver.h"
#include "ui/WidgetTexts.h"

namespace movrand::dialogs {
namespace {

using test::Click;
using test::Control;
using test::PressKey;
using test::ShowsPicture;
using test::WhenModal;

bool HasHand(QWidget* w) {
    return w->cursor().shape() == Qt::BitmapCursor && w->cursor().hotSpot() == QPoint(12, 1);
}

struct Fixture {
    test::TempDrive drive{false};
    QtUi ui{drive.Pv};
};

TEST(MessageWindow, ShowsTheTrimmedTextOnTheSkinClosesOnOkAndFollowsItsCallersSize) {
    Fixture f;
    bool checked = false;
    auto opened = WhenModal("frmMsgBox", [&](QWidget* w) {
        auto* label = Control<QLabel>(w, "lbl(0)");
        auto* ok = Control<PictureButton>(w, "img(0)");
        ASSERT_TRUE(label && ok);
        EXPECT_EQ(label->text(), "Unable to find driver.ini           Please locate file.");
        EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
        EXPECT_TRUE(w->isModal());
        EXPECT_EQ(w->size(), TwipsSize(3930, 1755));
        EXPECT_EQ(Control(w, "shp(0)")->geometry(), w->rect());
        EXPECT_TRUE(ShowsPicture(ok, 101));
        EXPECT_TRUE(HasHand(ok));

        // The skin: a white 1-pixel frame around dark tiles.
        const QImage shot = w->grab().toImage();
        test::SaveScreenshot(w, "frmMsgBox");
        EXPECT_EQ(shot.pixel(0, 0), qRgb(255, 255, 255));
        EXPECT_EQ(shot.pixel(shot.width() - 1, shot.height() / 2), qRgb(255, 255, 255));
        EXPECT_EQ(shot.pixel(shot.width() / 2, shot.height() - 1), qRgb(255, 255, 255));
        const QRgb inside = shot.pixel(5, shot.height() - 5);
        EXPECT_LT(qGray(inside), 100);
        EXPECT_GT(qGray(inside), 20);

        // Neither the keyboard nor a click that ends outside the picture answers it.
        PressKey(w, Qt::Key_Escape);
        PressKey(w, Qt::Key_Return);
        test::SendMouse(ok, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
        test::SendMouse(ok, QEvent::MouseButtonRelease, QPoint(-20, 5), Qt::NoButton);
        EXPECT_TRUE(w->isVisible());
        checked = true;
        Click(ok);
    });
    f.ui.ShowMessage("  Unable to find driver.ini           Please locate file.  ");
    EXPECT_TRUE(*opened);
    EXPECT_TRUE(checked);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // A window its caller sized lays itself out and paints its skin again.
    opened = WhenModal("frmMsgBox", [&](QWidget* w) {
        EXPECT_EQ(w->size(), TwipsSize(4000, 1500));
        EXPECT_EQ(Control(w, "img(0)")->pos(), TwipsPoint(2830, 1065));
        EXPECT_EQ(Control(w, "shp(0)")->geometry(), w->rect());
        const QImage shot = w->grab().toImage();
        EXPECT_LT(qGray(shot.pixel(shot.width() - 5, shot.height() - 5)), 100);
        Click(Control(w, "img(0)"));
    });
    f.ui.ShowMessage("The new car has been added.", 4000, 1500);
    EXPECT_TRUE(*opened);
}

TEST(QuestionWindow, AWideQuestionPlacesYesAndNoAndAnswersYes) {
    Fixture f;
    auto opened = WhenModal("frmYesNo", [&](QWidget* w) {
        auto* yes = Control<PictureButton>(w, "img(0)");
        auto* no = Control<PictureButton>(w, "img(1)");
        EXPECT_EQ(w->size(), TwipsSize(5300, 1410));
        EXPECT_EQ(Control<QLabel>(w, "lbl(0)")->text(), "Do you wish to exit this program?");
        EXPECT_TRUE(ShowsPicture(yes, 101));
        EXPECT_TRUE(ShowsPicture(no, 103));
        EXPECT_TRUE(HasHand(yes) && HasHand(no));
        // Tooltips keep their blanks.
        EXPECT_EQ(yes->toolTip(), " Click to Exit Program ");
        EXPECT_EQ(no->toolTip(), " Click to Return to Program ");
        test::SaveScreenshot(w, "frmYesNo");
        Click(yes);
    });
    platform::Question q{"Do you wish to exit this program?", 5300, 0, " Click to Exit Program ",
                         " Click to Return to Program "};
    EXPECT_TRUE(f.ui.AskYesNo(q));
    EXPECT_TRUE(*opened);
}

TEST(QuestionWindow, NoAnswersFalseAndTheCallersHourglassGivesWayWhileItIsOpen) {
    Fixture f;
    f.ui.SetBusy(true);
    ASSERT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    bool arrowWhileOpen = false;
    auto opened = WhenModal("frmYesNo", [&](QWidget* w) {
        arrowWhileOpen = QApplication::overrideCursor() == nullptr;
        EXPECT_EQ(w->size(), TwipsSize(3930, 1410));  // sizes at the limits keep the design
        PressKey(w, Qt::Key_Escape);
        EXPECT_TRUE(w->isVisible());
        Click(Control(w, "img(1)"));
    });
    EXPECT_FALSE(
        f.ui.AskYesNo({"  Are you sure you want to remove this car?", 3930, 1155, "", ""}));
    EXPECT_TRUE(*opened);
    EXPECT_TRUE(arrowWhileOpen);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    f.ui.SetBusy(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Without the hourglass the pointer is left alone; 1156 is applied, below the design height.
    opened = WhenModal("frmYesNo", [&](QWidget* w) {
        EXPECT_EQ(w->size(), TwipsSize(3930, 1156));
        EXPECT_EQ(Control(w, "img(0)")->pos(), TwipsPoint(1680, 721));
        Click(Control(w, "img(0)"));
    });
    EXPECT_TRUE(f.ui.AskYesNo({"Sure?", 0, 1156, "", ""}));
    EXPECT_TRUE(*opened);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(PictureButtons, AssistiveTechnologySeesAButtonItCanPress) {
    QWidget window;
    PictureButton button("img(0)", "OK", &window);
    button.SetTip(" Click to Use this File ");
    int clicks = 0;
    QObject::connect(&button, &PictureButton::Clicked, [&] { ++clicks; });
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&button);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Button);
    EXPECT_EQ(face->text(QAccessible::Name), "OK");
    EXPECT_EQ(face->text(QAccessible::Description), " Click to Use this File ");
    ASSERT_NE(face->actionInterface(), nullptr);
    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 1);
}

TEST(ErrorTraps, EachFormShowsItsIconTitleAndTextWithOkOnly) {
    Fixture f;
    struct Case {
        platform::TrapForm Form;
        QMessageBox::Icon Icon;
        QString Title;
        QString Text;
    };
    const Case cases[] = {
        {platform::TrapForm::Common, QMessageBox::NoIcon, "MovrandError", "53\nFile not found"},
        {platform::TrapForm::Information, QMessageBox::Information, "Movrand",
         "53\nFile not found"},
        {platform::TrapForm::Critical, QMessageBox::Critical, "Movrand", "53 File not found"},
    };
    for (const Case& c : cases) {
        auto opened = test::WhenMessageBox([&](QMessageBox* box) {
            EXPECT_EQ(box->icon(), c.Icon);
            EXPECT_EQ(box->windowTitle(), c.Title);
            EXPECT_EQ(box->text(), c.Text);
            EXPECT_EQ(box->buttons().size(), 1);
            box->button(QMessageBox::Ok)->click();
        });
        const bool ran = platform::RunTrapped(
            f.ui, c.Form, "Movrand", [] { throw platform::RuntimeError(platform::kFileNotFound); });
        EXPECT_FALSE(ran);
        EXPECT_TRUE(*opened) << c.Title.toStdString();
    }
}

}  // namespace
}  // namespace movrand::dialogs
