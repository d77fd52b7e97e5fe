// The skinned windows answered from the keyboard alone, each within the screen's work area.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QScreen>
#include <QTimer>

#include "TempDrive.h"
#include "dialogs/ui/FocusMark.h"
#include "dialogs/ui/QtUi.h"
#include "dialogs/ui/frmAbout.h"
#include "ui/ModalDriver.h"

namespace movrand::dialogs {
namespace {

struct KeyRow {
    const char* window;
    const char* focus;  // the control Tab has reached first, or nullptr for the window's own
    int key;
    std::string answer;  // what the caller reads once the window has closed
};

TEST(DialogKeys, EnterEscapeTabAndSpaceAnswerEveryWindow) {
    test::TempDrive drive;
    QtUi ui(drive.Pv);
    const std::map<std::string, std::function<std::string()>> open = {
        {"frmMsgBox", [&] { return ui.ShowMessage("Done."), std::string("closed"); }},
        {"frmYesNo",
         [&] {
             return std::string(ui.AskYesNo({"Sure?", 0, 0, "", ""}) ? "Yes" : "No");
         }},
        {"frmTeamFolder", [&] { return ui.SelectTeam(); }},
        {"frmFile", [&] { return ui.SelectFile("C:\\sierra\\gpl", "*.ini", " Pick"); }},
        {"frmAbout", [&] {
             frmAbout about(drive.Pv, ui, nullptr);
             about.Form_Load();
             return std::to_string(about.exec());
         }}};
    const KeyRow rows[] = {
        {"frmMsgBox", nullptr, Qt::Key_Return, "closed"},
        {"frmMsgBox", nullptr, Qt::Key_Escape, "closed"},
        {"frmYesNo", nullptr, Qt::Key_Enter, "Yes"},
        {"frmYesNo", nullptr, Qt::Key_Escape, "No"},
        {"frmYesNo", "img(1)", Qt::Key_Space, "No"},
        {"frmYesNo", "img(1)", Qt::Key_Return, "No"},
        {"frmYesNo", "img(0)", Qt::Key_Escape, "No"},
        {"frmTeamFolder", "cbo(0)", Qt::Key_Return, "Cooper"},
        {"frmTeamFolder", "img(0)", Qt::Key_Escape, ""},
        {"frmFile", "fle(0)", Qt::Key_Return, "C:\\sierra\\gpl\\driver.ini"},
        {"frmFile", "fle(0)", Qt::Key_Escape, ""},
        {"frmAbout", nullptr, Qt::Key_Escape, "0"},
        {"frmAbout", "cmd(0)", Qt::Key_Return, "0"},
    };
    for (const KeyRow& row : rows) {
        SCOPED_TRACE(std::string(row.window) + " key " + std::to_string(row.key));
        auto done = test::WhenModal(
            [row](QWidget* w) { return w->objectName() == row.window; },
            [row](QWidget* w) {
                const QRect area = w->screen()->availableGeometry();
                EXPECT_TRUE(area.contains(w->frameGeometry())) << w->frameGeometry().height();
                QWidget* target = w;
                if (row.focus) {
                    target = test::Control(w, row.focus);
                    // Tab walks the window's focus chain until it reaches the control.
                    for (int i = 0; i < 8 && w->focusWidget() != target; ++i)
                        test::PressKey(w->focusWidget() ? w->focusWidget() : w, Qt::Key_Tab);
                    ASSERT_EQ(w->focusWidget(), target);
                    if (auto* box = qobject_cast<QComboBox*>(target)) {
                        test::PressKey(box, Qt::Key_Down);
                        test::PressKey(box, Qt::Key_Down);
                        test::PressKey(box, Qt::Key_Down);
                    }
                    if (std::string(row.focus) == "fle(0)") test::PressKey(target, Qt::Key_Home);
                    if (std::string(row.focus).starts_with("img")) {
                        test::SaveScreenshot(w, QString("focus-%1").arg(row.window));
                        bool ringShown = false;
                        for (const FocusMark* mark : w->findChildren<FocusMark*>())
                            ringShown |=
                                mark->isVisible() && mark->geometry().contains(target->geometry());
                        EXPECT_TRUE(ringShown);
                    }
                }
                test::PressKey(target, row.key);
                // A key that did not answer fails the row instead of hanging the test.
                QTimer::singleShot(500, w, [w] { w->close(); });
            },
            2000);
        EXPECT_EQ(open.at(row.window)(), row.answer);
        EXPECT_TRUE(*done);
    }
}

}  // namespace
}  // namespace movrand::dialogs
