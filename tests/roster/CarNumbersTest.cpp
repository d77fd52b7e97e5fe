#include <gtest/gtest.h>

#include <memory>

#include "DemoInstallation.h"
#include "FaultSweep.h"
#include "RosterText.h"
#include "TempDrive.h"
#include "platform/FaultPlan.h"
#include "roster/CarNumbers.h"
#include "roster/IniFunctions.h"

namespace movrand::test {
namespace {

// The demo roster with some drivers' "car_number" lines replaced as the program writes them.
std::string DemoRosterWith(const std::vector<std::pair<std::string, std::string>>& numbers) {
    std::string roster = demo::SampleRoster();
    for (const auto& [oldNumber, newNumber] : numbers) {
        const std::string line = "car_number = " + oldNumber + "\r\n";
        const auto at = roster.find(line);
        EXPECT_NE(at, std::string::npos) << oldNumber;
        if (at != std::string::npos)
            roster.replace(at, line.size(), "car_number=" + newNumber + "\r\n");
    }
    return roster;
}

std::string CarNumber(TempDrive& drive, int driver) {
    return ReadIniValue(drive.Pv, drive.Ui, "driver_" + std::to_string(driver), "car_number",
                        drive.Pv.DriverIniFile);
}

TEST(AssignCarNumber, ANumberHeldByAnotherDriverIsSwappedAndTold) {
    TempDrive drive;
    // Jochen Rindt (5) holds 5, Jim Clark (12) holds 12.
    const CarNumberResult result = AssignCarNumber(drive.Pv, drive.Ui, 5, "12", "Jochen Rindt");
    EXPECT_TRUE(result.Ok);
    EXPECT_TRUE(result.Changed);
    EXPECT_TRUE(result.DisableSaveButton);
    EXPECT_EQ(result.PreviousHolder, 12);
    ASSERT_EQ(drive.Ui.Messages.size(), 1u);
    EXPECT_EQ(drive.Ui.Messages[0].Text,
              "You have just assigned Car Number 12 to Jochen Rindt.\r\n"
              "This number had previously been assigned to Jim Clark.\r\n"
              "Jim Clark has been assigned Jochen Rindt's old number (5).");
    EXPECT_EQ(drive.Ui.Messages[0].Width, 7500);
    EXPECT_EQ(drive.Ui.Messages[0].Height, 2200);
    EXPECT_EQ(result.Message, drive.Ui.Messages[0].Text);
    EXPECT_FALSE(drive.Ui.IsBusy());
    EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();

    // driver.ini holds both changes; every other byte as the game wrote it, headers included.
    EXPECT_EQ(drive.Read(drive.Pv.DriverIniFile), DemoRosterWith({{"5", "12"}, {"12", "5"}}));
    EXPECT_FALSE(drive.Exists(drive.Pv.AppPath + "tempdriver.zorvex"));

    // Without the entry text the name comes from the roster.
    AssignCarNumber(drive.Pv, drive.Ui, 9, "10");
    ASSERT_EQ(drive.Ui.Messages.size(), 2u);
    EXPECT_EQ(drive.Ui.Messages[1].Text,
              "You have just assigned Car Number 10 to Chris Amon.\r\n"
              "This number had previously been assigned to Lorenzo Bandini.\r\n"
              "Lorenzo Bandini has been assigned Chris Amon's old number (9).");
}

TEST(AssignCarNumber, TheSameNumberWritesNothingAndAFreeOneChangesOnlyTheSelectedDriver) {
    TempDrive drive;
    auto faults = std::make_shared<platform::FaultPlan>();
    drive.Pv.Env.Faults = faults;
    const std::string work = drive.Read(drive.Pv.DriverWorkFile);
    CarNumberResult result = AssignCarNumber(drive.Pv, drive.Ui, 7, "07", "Dan Gurney");
    EXPECT_TRUE(result.Ok);
    EXPECT_TRUE(result.DisableSaveButton);
    EXPECT_FALSE(result.Changed);
    EXPECT_EQ(faults->Count(), 0);
    EXPECT_EQ(drive.Read(drive.Pv.DriverWorkFile), work);
    EXPECT_EQ(drive.Read(drive.Pv.DriverIniFile), demo::SampleRoster());

    // "7" is free: Dan Gurney's "07" is another number.
    result = AssignCarNumber(drive.Pv, drive.Ui, 1, "7", "Jack Brabham");
    EXPECT_TRUE(result.Changed);
    EXPECT_EQ(result.PreviousHolder, 0);
    EXPECT_TRUE(drive.Ui.Messages.empty());
    EXPECT_EQ(drive.Read(drive.Pv.DriverIniFile), DemoRosterWith({{"1", "7"}}));
    EXPECT_EQ(CarNumber(drive, 7), "07");
}

TEST(AssignCarNumber, OfTwoHoldersOnlyTheLowerDriverNumberSwaps) {
    TempDrive drive;
    UseRoster(drive, {{"A", "One", "1", "0", "1"},
                      {"B", "Two", "1", "0", "30"},
                      {"C", "Three", "1", "0", "30"},
                      {"D", "Four", "1", "0", "4"}});
    const CarNumberResult result = AssignCarNumber(drive.Pv, drive.Ui, 4, "30", "D Four");
    EXPECT_EQ(result.PreviousHolder, 2);
    EXPECT_EQ(CarNumber(drive, 2), "4");
    EXPECT_EQ(CarNumber(drive, 3), "30");
    EXPECT_EQ(CarNumber(drive, 4), "30");
    ASSERT_EQ(drive.Ui.Messages.size(), 1u);
    EXPECT_NE(drive.Ui.Messages[0].Text.find("previously been assigned to B Two."),
              std::string::npos);
}

// The missing-value text "Not Found!" never becomes anyone's car number.
TEST(AssignCarNumber, ADriverWithoutANumberCannotTakeAHeldOneNorGiveTheMissingValueText) {
    TempDrive drive;
    UseRoster(drive, {{"Ann", "Lee", "1", "0", kAbsent},
                      {"Bo", "Ng", "1", "0", "12"},
                      {"Cy", "Ox", "1", "0", ""}});
    const std::string roster = drive.Read(drive.Pv.DriverIniFile);
    const std::string work = drive.Read(drive.Pv.DriverWorkFile);

    for (int driver : {1, 3}) {
        drive.Ui.Messages.clear();
        const CarNumberResult result = AssignCarNumber(drive.Pv, drive.Ui, driver, "12");
        EXPECT_TRUE(result.Ok);
        EXPECT_FALSE(result.Changed);
        EXPECT_TRUE(result.DisableSaveButton);
        ASSERT_EQ(drive.Ui.Messages.size(), 1u);
        const std::string name = driver == 1 ? "Ann Lee" : "Cy Ox";
        EXPECT_EQ(drive.Ui.Messages[0].Text,
                  "Car Number 12 is already assigned to Bo Ng.\r\n" + name +
                      " has no car number to give Bo Ng in exchange, so no "
                      "numbers have been changed.");
        EXPECT_EQ(drive.Ui.Messages[0].Width, 7500);
        EXPECT_EQ(drive.Read(drive.Pv.DriverIniFile), roster);
        EXPECT_EQ(drive.Read(drive.Pv.DriverWorkFile), work);
    }

    // The number box still shows the text of a driver without a number.
    drive.Ui.Messages.clear();
    EXPECT_FALSE(AssignCarNumber(drive.Pv, drive.Ui, 2, "Not Found!").Changed);
    ASSERT_EQ(drive.Ui.Messages.size(), 1u);
    EXPECT_EQ(drive.Ui.Messages[0].Text, "Please choose a car number from the list before saving.");
    EXPECT_EQ(drive.Read(drive.Pv.DriverIniFile), roster);

    // A number nobody holds is assigned as usual.
    drive.Ui.Messages.clear();
    EXPECT_TRUE(AssignCarNumber(drive.Pv, drive.Ui, 1, "55").Changed);
    EXPECT_EQ(CarNumber(drive, 1), "55");
    EXPECT_EQ(CarNumber(drive, 2), "12");
    EXPECT_TRUE(drive.Ui.Messages.empty());
    EXPECT_EQ(drive.Read(drive.Pv.DriverIniFile).find("Not Found!"), std::string::npos);
}

TEST(AssignCarNumber, AFailureAtAnyStepLeavesBothRostersAgreeingAndWhole) {
    const std::string swapped = DemoRosterWith({{"5", "12"}, {"12", "5"}});
    CarNumberResult result;
    FaultSweep sweep;
    sweep.Operation = [&](TempDrive& drive) {
        result = AssignCarNumber(drive.Pv, drive.Ui, 5, "12", "Jochen Rindt");
    };
    sweep.Check = [&](TempDrive& drive, int) {
        const std::string roster = drive.Read(drive.Pv.DriverIniFile);
        EXPECT_TRUE(roster == swapped || roster == demo::SampleRoster());
        // The working copy is always the game's roster with its headers stripped.
        TempDrive fresh;
        fresh.Write(fresh.Pv.DriverIniFile, roster);
        fresh.MakeWorkingCopy();
        EXPECT_EQ(drive.Read(drive.Pv.DriverWorkFile), fresh.Read(fresh.Pv.DriverWorkFile));
        EXPECT_FALSE(drive.Ui.Traps.empty());
        EXPECT_FALSE(drive.Ui.IsBusy());
        // The swap is told only when it was saved; a change that did not happen leaves the
        // button for another try.
        EXPECT_EQ(!drive.Ui.Messages.empty(), result.Changed);
        EXPECT_EQ(result.Changed, roster == swapped);
        EXPECT_EQ(result.DisableSaveButton, result.Changed);
    };
    // Two working-copy writes and the save, each at least one step.
    EXPECT_GE(sweep.Run(), 4);
}

}  // namespace
}  // namespace movrand::test
