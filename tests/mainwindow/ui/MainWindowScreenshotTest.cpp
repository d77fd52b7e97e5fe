// Pictures of the four pages on the demo installation, kept in build/artifacts for people to
// look at.
#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>
#include <QTabWidget>

#include "DemoInstallation.h"
#include "TempDrive.h"
#include "mainwindow/ui/frmMovrand.h"
#include "roster/IniFunctions.h"

namespace movrand::test {
namespace {

TEST(MainWindowScreenshots, FourPagesOnTheDemoInstallation) {
    TempDrive drive(false);
    const std::filesystem::path prefix = drive.Root() / "prefix";
    demo::MakeDemoPrefix(prefix);
    ProgramValues& pv = drive.Pv;
    pv.Env.Drives = platform::DriveTable::FromWinePrefix(prefix);
    pv.Env.DataHome = prefix / "drive_c" / "users" / "player" / "data";
    pv.AppPath = pv.Env.ProgramFolder() + "\\";
    pv.DriverWorkFile = pv.AppPath + "driver.zorvex";
    pv.DriverIniFile = "C:\\sierra\\gpl\\driver.ini";
    pv.GPLPath = "C:\\sierra\\gpl\\";
    ASSERT_TRUE(StripIniHeaders(pv, drive.Ui, pv.DriverIniFile, pv.DriverWorkFile));
    pv.Env.Settings.Save("Zorvex", "Movrand", "AddOnCarFolder", "C:\\carfolders\\cars67_classic");
    pv.Env.Settings.Save("Zorvex", "Movrand", "CarFolder", "C:\\carfolders");

    mainwindow::frmMovrand window(pv, drive.Ui);
    window.Form_Load();
    window.show();
    ASSERT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();

    const QString folder = MOVRAND_ARTIFACTS;
    ASSERT_TRUE(QDir().mkpath(folder));
    auto* tabs = window.findChild<QTabWidget*>("tabMovrand(0)");
    const char* names[] = {"cars-accessories", "car-folders", "find-add-ons", "gpl-directory"};
    for (int tab = 0; tab < 4; ++tab) {
        tabs->setCurrentIndex(tab);
        const QPixmap shot = window.grab();
        ASSERT_FALSE(shot.isNull());
        EXPECT_EQ(shot.size(), window.size());
        const QString file = folder + "/main-window-" + names[tab] + ".png";
        EXPECT_TRUE(shot.save(file)) << file.toStdString();
    }
}

}  // namespace
}  // namespace movrand::test
