#include <gtest/gtest.h>

#include "TempDrive.h"
#include "mainwindow/DescriptionView.h"
#include "mainwindow/EventRoutes.h"
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

TEST(MainWindowValues, ListsFilledAtLoading) {
    const auto numbers = CarNumberEntries();
    ASSERT_EQ(numbers.size(), 99u);
    EXPECT_EQ(numbers.front(), "1");
    EXPECT_EQ(numbers[49], "50");
    EXPECT_EQ(numbers.back(), "99");

    const auto teams = TeamListEntries();
    std::vector<std::pair<std::string, int>> pairs;
    for (const auto& t : teams) pairs.emplace_back(t.Text, t.ItemData);
    EXPECT_EQ(pairs, (std::vector<std::pair<std::string, int>>{{"Brabham", 0},
                                                               {"BRM", 1},
                                                               {"Cooper", 2},
                                                               {"Eagle", 3},
                                                               {"Ferrari", 4},
                                                               {"Honda", 6},
                                                               {"Lotus", 5}}));
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

TEST(MainWindowValues, EventRoutes) {
    const std::vector<Operation> buttons = {
        Operation::SwapCarFolder,   Operation::AddSelectedFiles, Operation::UpdateWebsiteAddress,
        Operation::EnterRemoveMode, Operation::RemoveAddOnFiles, Operation::EnterAddMode,
        Operation::AssignCarNumber, Operation::SaveGplDirectory};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(RouteButton(i), buttons[i]) << i;
    EXPECT_EQ(RouteButton(-1), Operation::None);
    EXPECT_EQ(RouteButton(8), Operation::None);

    EXPECT_EQ(RouteTab(0), Operation::RestoreAddModeLayout);
    EXPECT_EQ(RouteTab(1), Operation::None);
    EXPECT_EQ(RouteTab(2), Operation::ConnectToInternet);
    EXPECT_EQ(RouteTab(3), Operation::None);

    EXPECT_EQ(RouteFolderList(0), Operation::ShowAddOnFolder);
    for (int i : {1, 2, 3}) EXPECT_EQ(RouteFolderList(i), Operation::None);
    EXPECT_EQ(RouteTickBox(0), Operation::ShowDeleteWarning);
    EXPECT_EQ(RouteTickBox(1), Operation::FillLinkCategories);
    EXPECT_EQ(RouteTickBox(2), Operation::RefreshAddOnFileList);
    EXPECT_EQ(RouteTickBox(3), Operation::None);
    EXPECT_EQ(RouteDropDownClick(4), Operation::ShowDriver);
    EXPECT_EQ(RouteDropDownClick(5), Operation::EnableSaveCarNumber);
    EXPECT_EQ(RouteDropDownClick(6), Operation::None);
    for (int i : {4, 5}) EXPECT_EQ(RouteLabelClick(i), Operation::ShowAboutBox);
    EXPECT_EQ(RouteLabelClick(17), Operation::OpenWebsite);
    for (int i : {0, 6, 10, 11, 13}) EXPECT_EQ(RouteLabelClick(i), Operation::None) << i;
    for (int i : {0, 1}) EXPECT_EQ(RoutePictureClick(i), Operation::OpenHelp);
    EXPECT_EQ(RoutePictureClick(2), Operation::None);
}

TEST(MainWindowValues, DescriptionAndDriverListViews) {
    const AddModeLayout enlarged = DescriptionDoubleClick(4200);
    EXPECT_EQ(enlarged.Description.Place, (TwipsPlace{0, 420, 8760, 1875}));
    EXPECT_EQ(enlarged.Description.Tooltip, " Double-Click to Decrease View ");
    EXPECT_EQ(enlarged.DriverList.Place, (TwipsPlace{4560, 1410, 4215, 840}));
    EXPECT_EQ(enlarged.DriverList.Tooltip, " Double-Click (on text) to Increase View ");
    EXPECT_EQ(enlarged.DriverList.Visible, false);
    EXPECT_EQ(enlarged.SubFrame.Visible, false);
    EXPECT_EQ(enlarged.SubFrame.Front, false);

    const AddModeLayout normal = DescriptionDoubleClick(8760);
    EXPECT_EQ(normal.Description.Place, (TwipsPlace{4560, 420, 4200, 915}));
    EXPECT_EQ(normal.Description.Tooltip, " Double-Click to Increase View ");
    EXPECT_EQ(normal.Description.Visible, true);
    EXPECT_EQ(normal.DriverList.Visible, true);
    EXPECT_EQ(normal.SubFrame.Visible, true);
    EXPECT_EQ(normal.SubFrame.Front, true);
    EXPECT_EQ(SetDescriptionView(false), normal);

    const AddModeLayout listUp = DriverListDoubleClick(840);
    EXPECT_EQ(listUp.DriverList.Place, (TwipsPlace{4560, 480, 4215, 1815}));
    EXPECT_EQ(listUp.DriverList.Tooltip, " Double-Click (on text) to Decrease View ");
    EXPECT_EQ(listUp.Description.Visible, false);
    EXPECT_TRUE(listUp.ClearDriverListSelection);
    const AddModeLayout listDown = DriverListDoubleClick(1815);
    EXPECT_EQ(listDown.DriverList.Place, (TwipsPlace{4560, 1410, 4215, 840}));
    EXPECT_EQ(listDown.DriverList.Tooltip, " Double-Click (on text) to Increase View ");
    EXPECT_EQ(listDown.Description.Visible, true);
    EXPECT_TRUE(listDown.ClearDriverListSelection);
}

}  // namespace
}  // namespace movrand::test
