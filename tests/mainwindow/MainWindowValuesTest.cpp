#include <gtest/gtest.h>

#include "TempDrive.h"
#include "mainwindow/LoadingValues.h"
#include "mainwindow/Unloading.h"
#include "mainwindow/WindowFunctions.h"
#include "mainwindow/WindowSettings.h"

namespace movrand::test {
namespace {

using namespace mainwindow;

std::string Stored(TempDrive& drive, const std::string& key) {
    return drive.Pv.Env.Settings.Get("Zorvex", "Movrand", key);
}

TEST(MainWindowValues, InstallationCaptionAndDrive) {
    EXPECT_EQ(GplPathCaption("C:\\sierra\\gpl\\"), "  C:\\sierra\\gpl\\");
    EXPECT_EQ(DriveOfPath("C:\\sierra\\gpl\\"), "C");
    EXPECT_EQ(DriveOfPath(""), "");
}

TEST(MainWindowValues, ExitQuestionAsksOnceAndAnswersAsTheUser) {
    TempDrive drive;
    drive.Ui.Answers = {false, true};
    EXPECT_FALSE(ConfirmExit(drive.Pv, drive.Ui));
    EXPECT_TRUE(ConfirmExit(drive.Pv, drive.Ui));
    ASSERT_EQ(drive.Ui.Questions.size(), 2u);
    const platform::Question& q = drive.Ui.Questions[0];
    EXPECT_EQ(q.Message, "Do you wish to exit this program?");
    EXPECT_EQ(q.MyWidth, 4100);
    EXPECT_EQ(q.MyHeight, 0);
    EXPECT_EQ(q.YesTooltip, " Click to Exit Program ");
    EXPECT_EQ(q.NoTooltip, " Click to Return to Program ");
}

TEST(MainWindowValues, AddOnsOnlyTicksOnlyForExactlyOne) {
    TempDrive drive;
    // Not stored: "1" is written at once and the box is ticked; the folders stay unwritten.
    EXPECT_TRUE(ReadWindowSettings(drive.Pv).AddOnsOnly);
    EXPECT_EQ(Stored(drive, "AddOnsOnly"), "1");
    EXPECT_EQ(Stored(drive, "CarManagerDirectory"), "");
    for (const char* value : {"0", "x", " 1", "1 "}) {
        drive.Pv.Env.Settings.Save("Zorvex", "Movrand", "AddOnsOnly", value);
        EXPECT_FALSE(ReadWindowSettings(drive.Pv).AddOnsOnly) << value;
        EXPECT_EQ(Stored(drive, "AddOnsOnly"), value);
    }
    drive.Pv.Env.Settings.Save("Zorvex", "Movrand", "CarFolder", "D:\\cars");
    EXPECT_EQ(ReadWindowSettings(drive.Pv).CarFolder, "D:\\cars");
}

TEST(MainWindowValues, UnloadingMatchesDriversThenSavesTheFourSettings) {
    TempDrive drive;
    WindowSettings settings;
    settings.AddOnsOnly = false;
    settings.CarManagerDirectory = "C:\\addons";
    settings.CarFolder = "C:\\";
    settings.AddOnCarFolder = "C:\\carfolders\\classic";
    UnloadMainWindow(drive.Pv, drive.Ui, settings);
    EXPECT_EQ(Stored(drive, "AddOnsOnly"), "0");
    EXPECT_EQ(Stored(drive, "CarManagerDirectory"), "C:\\addons");
    EXPECT_EQ(Stored(drive, "CarFolder"), "C:\\");
    EXPECT_EQ(Stored(drive, "AddOnCarFolder"), "C:\\carfolders\\classic");
    // Jim Clark drives the Lotus with number 12: his own car files are now beside the car's.
    EXPECT_EQ(drive.Read("C:\\sierra\\gpl\\cars\\cars67\\lotus\\Cla12a.3do"),
              drive.Read("C:\\sierra\\gpl\\cars\\cars67\\lotus\\lot12.3do"));
    EXPECT_EQ(drive.Read("C:\\sierra\\gpl\\cars\\cars67\\lotus\\Cla12a.mip"),
              drive.Read("C:\\sierra\\gpl\\cars\\cars67\\lotus\\lot12.mip"));
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
}

}  // namespace
}  // namespace movrand::test
