// SPDX-License-Identifier: GPL-3.0-or-later
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

// The demo roster after 12 went to Jochen Rindt (5) and 5 to Jim Clark, as the program writes it.
std::string Swapped() {
    std::string roster = demo::SampleRoster();
    for (const char* number : {"5", "12"}) {
        const std::string line = "car_number = " + std::string(number) + "\r\n";
        roster.replace(roster.find(line), line.size(),
                       number[1] ? "car_number=5\r\n" : "car_number=12\r\n");
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

// A row: the roster, the driver, the new number, the message shown ("" none), the numbers after
// ("" = not looked at) and whether anything was saved; what changes nothing writes nothing, and
// a change keeps every other byte of driver.ini as the game wrote it.
TEST(AssignCarNumber, SwapsWithTheFirstHolderAndTellsOnlyWhatWasSaved) {
    const RosterDriver a{"A", "One", "1", "0", "1"}, b{"B", "Two", "1", "0", "30"};
    const RosterDriver none{"C", "Three", "1", "0", kAbsent};
    const std::string held = "Car Number 30 is already assigned to B Two.\r\n";
    const std::string refused =
        " has no car number to give B Two in exchange, so no numbers have been changed.";
    const struct {
        std::vector<RosterDriver> Roster;  // empty: the demo roster
        int Driver;
        std::string Number, Message, After;
        bool Changed;
    } cases[] = {
        // clang-format off
        {{}, 5, "12", kSwap, "", true},
        {{}, 7, "07", "", "", false},  // his own number
        {{a, b, b, a}, 4, "30", "You have just assigned Car Number 30 to A One.\r\nThis number had "
         "previously been assigned to B Two.\r\nB Two has been assigned A One's old number (1).",
         "1,1,30,30,", true},
        {{a, b}, 1, "7", "", "7,30,", true},
        {{none, b}, 1, "7", "", "7,30,", true},  // the key is added to his section
        {{none, b}, 1, "30", held + "C Three" + refused, "Not Found!,30,", false},
        {{a, b}, 1, "Not Found!", "Please choose a car number from the list before saving.", "", false},
        // clang-format on
    };
    for (const auto& c : cases) {
        TempDrive drive;
        if (!c.Roster.empty()) UseRoster(drive, c.Roster);
        drive.Pv.Env.Faults = std::make_shared<platform::FaultPlan>();
        const std::string before = drive.Read(drive.Pv.DriverIniFile);
        const CarNumberResult result = AssignCarNumber(drive.Pv, drive.Ui, c.Driver, c.Number);
        const std::string why = std::to_string(c.Driver) + " " + c.Number;
        EXPECT_TRUE(result.Ok && result.DisableSaveButton) << why;
        EXPECT_EQ(result.Changed, c.Changed) << why;
        EXPECT_EQ(drive.Ui.Transcript(), c.Message.empty() ? "" : "message: " + c.Message + "\n")
            << why;
        for (const auto& shown : drive.Ui.Messages) EXPECT_EQ(shown.Width + shown.Height, 9700);
        if (c.Roster.empty()) {
            EXPECT_EQ(drive.Read(drive.Pv.DriverIniFile), c.Changed ? Swapped() : before) << why;
        }
        if (!c.Changed) {
            EXPECT_EQ(drive.Pv.Env.Faults->Count(), 0) << why;
            EXPECT_EQ(drive.Read(drive.Pv.DriverIniFile), before) << why;
        }
        if (!c.After.empty()) {
            EXPECT_EQ(Numbers(drive, int(c.Roster.size())), c.After) << why;
        }
    }
}

TEST(AssignCarNumber, AFailureAtAnyStepLeavesBothRostersAgreeingAndWhole) {
    const std::string swapped = Swapped();
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
