#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include "TempDrive.h"
#include "app/Main.h"
#include "dialogs/ui/QtUi.h"
#include "ui/ModalDriver.h"

namespace movrand::test {
namespace {

// Start-up through the real windows: the message, the picker opened from inside it, and the
// closing message; cancelling leaves no window behind.
TEST(StartUpWindows, NoDriverIniAnywhereAsksInThePickerAndCancellingEndsWithNoWindow) {
    TempDrive drive(false);
    dialogs::QtUi ui(drive.Pv);
    QString first, last, caption;
    const auto readAndConfirm = [](QString& text) {
        return [&text](QWidget* box) {
            text = Control<QLabel>(box, "lbl(0)")->text();
            Click(Control(box, "img(0)"));
        };
    };
    auto told = WhenModal("frmMsgBox", [&](QWidget* box) {
        WhenModal("frmFile", [&](QWidget* picker) {
            caption = picker->windowTitle();
            WhenModal("frmMsgBox", readAndConfirm(last));
            Click(Control(picker, "img(1)"));
        });
        readAndConfirm(first)(box);
    });
    int mainWindows = 0;
    EXPECT_FALSE(Main(drive.Pv, ui, [&] { ++mainWindows; }));
    EXPECT_TRUE(*told);
    EXPECT_EQ(first, "Unable to find driver.ini           Please locate file.");
    EXPECT_EQ(caption, " Please select the driver.ini file...");
    EXPECT_EQ(last, "The driver.ini file has not been located.  The program is terminating.");
    EXPECT_EQ(mainWindows, 0);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_EQ(drive.Pv.Env.Settings.Get("Zorvex", "Movrand", "DriverIniFile"), "");
}

}  // namespace
}  // namespace movrand::test
