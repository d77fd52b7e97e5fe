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
        roster.replace(roster.find(line), line.size(), "car_number=" + newNumber + "\r\n");
    }
    return roster;
}

std::string Numbers(TempDrive& drive, int count) {
    std::string numbers;
    for (int n = 1; n <= count; ++n)
        numbers += ReadIniValue(drive.Pv, drive.Ui, "driver_" + std::to_string(n), "car_number",
                                drive.Pv.DriverIniFile) +
                   ",";
    return numbers;
}

const char* const kSwap =
    "You have just assigned Car Number 12 to Jochen Rindt.\r\nThis number had previously been "
    "assigned to Jim Clark.\r\nJim Clark has been assigned Jochen Rindt's old number (5).";

TEST(AssignCarNumber, SwapsWithTheFirstHolderAndTellsOnlyWhatWasSaved) {
    struct Case {
        std::vector<RosterDriver> Roster;  // empty: the demo roster
        int Driver;
        std::string Number, Text, Message, After;
        bool Changed;
    };
    const RosterDriver a{"A", "One", "1", "0", "1"}, b{"B", "Two", "1", "0", "30"};
    const RosterDriver noNumber{"C", "Three", "1", "0", kAbsent}, empty{"D", "Four", "1", "0", ""};
    const std::string refused =
        " has no car number to give B Two in exchange, so no numbers "
        "have been changed.";
    const Case cases[] = {
        {{}, 5, "12", "Jochen Rindt", kSwap, "", true},
        {{},
         9,
         "10",
         "",
         "You have just assigned Car Number 10 to Chris Amon.\r\nThis number had previously been "
         "assigned to Lorenzo Bandini.\r\nLorenzo Bandini has been assigned Chris Amon's old "
         "number (9).",
         "",
         true},
        {{}, 7, "07", "", "", "", false},  // his own number: nothing written
        {{a, b, b, a},
         4,
         "30",
         "",  // of two holders the lower driver number swaps
         "You have just assigned Car Number 30 to A One.\r\nThis number had previously been "
         "assigned to B Two.\r\nB Two has been assigned A One's old number (1).",
         "1,1,30,30,",
         true},
        {{a, b}, 1, "7", "", "", "7,30,", true},  // a free number changes only him
        {{noNumber, b},
         1,
         "30",
         "",
         "Car Number 30 is already assigned to B Two.\r\nC Three" + refused,
         "Not Found!,30,",
         false},
        {{empty, b},
         1,
         "30",
         "",
         "Car Number 30 is already assigned to B Two.\r\nD Four" + refused,
         ",30,",
         false},
        {{a, b},
         1,
         "Not Found!",
         "",
         "Please choose a car number from the list before saving.",
         "1,30,",
         false},
    };
    for (const Case& c : cases) {
        TempDrive drive;
        if (!c.Roster.empty()) UseRoster(drive, c.Roster);
        drive.Pv.Env.Faults = std::make_shared<platform::FaultPlan>();
        const std::string before = drive.Read(drive.Pv.DriverIniFile);
        const CarNumberResult result =
            AssignCarNumber(drive.Pv, drive.Ui, c.Driver, c.Number, c.Text);
        const std::string why = std::to_string(c.Driver) + " " + c.Number;
        EXPECT_TRUE(result.Ok && result.DisableSaveButton) << why;
        EXPECT_EQ(result.Changed, c.Changed) << why;
        EXPECT_EQ(result.Message, c.Message) << why;
        EXPECT_EQ(drive.Ui.Messages.size(), c.Message.empty() ? 0u : 1u) << why;
        for (const auto& shown : drive.Ui.Messages) EXPECT_EQ(shown.Width, 7500) << why;
        EXPECT_FALSE(drive.Ui.IsBusy());
        EXPECT_TRUE(drive.Ui.Traps.empty()) << drive.Ui.Transcript();
        if (!c.Changed) {
            EXPECT_EQ(drive.Pv.Env.Faults->Count(), 0) << why;
            EXPECT_EQ(drive.Read(drive.Pv.DriverIniFile), before) << why;
        }
        if (!c.After.empty()) {
            EXPECT_EQ(Numbers(drive, int(c.Roster.size())), c.After) << why;
        }
        EXPECT_FALSE(drive.Exists(drive.Pv.AppPath + "tempdriver.zorvex"));
    }
    // Every other byte of driver.ini stays as the game wrote it.
    TempDrive drive;
    AssignCarNumber(drive.Pv, drive.Ui, 5, "12");
    EXPECT_EQ(drive.Read(drive.Pv.DriverIniFile), DemoRosterWith({{"5", "12"}, {"12", "5"}}));
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
        EXPECT_EQ(result.Message == kSwap, result.Changed);
        EXPECT_EQ(result.Changed, roster == swapped);
        EXPECT_EQ(result.DisableSaveButton, result.Changed);
    };
    EXPECT_GE(sweep.Run(), 4);
}

}  // namespace
}  // namespace movrand::test
