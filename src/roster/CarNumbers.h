// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>

#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand {

// How a car number assignment ended, for the window to apply.
struct CarNumberResult {
    // Ran to its end. False when an error stopped it (already reported); the working copy and
    // driver.ini then still agree and "Save Car Number" stays as it was.
    bool Ok = false;
    bool DisableSaveButton = false;  // "Save Car Number" is to be disabled
    bool Changed = false;            // the numbers were changed and saved to driver.ini
    int PreviousHolder = 0;          // the driver who received the old number, or 0
    std::string Message;             // what the message window showed, or ""
};

// Gives the driver driverNumber (the item data of the selected cbo::kDrivers entry) the car number
// newNumber (the text of cbo::kCarNumbers). A number held by another driver is swapped: the first
// holder among drivers 1 to 19 receives the old number and the user is told in the message window.
// The change goes to the working copy and then to driver.ini. A driver without a number of his own
// cannot take a number that another driver holds: nothing is written and the user is told why;
// so too for a number that driver.ini cannot carry as given (RosterChecks.h) and for a roster
// without the driver's section or with a header that is never closed.
// driverText is the text of the selected cbo::kDrivers entry, used in the messages; when it is
// empty the driver's name is read from the roster. `showChange`, when given, runs once the swap is
// saved and before it is told, so the window behind the message already shows the new numbers.
// Carries the information error trap.
CarNumberResult AssignCarNumber(ProgramValues& pv, platform::Ui& ui, int driverNumber,
                                const std::string& newNumber, const std::string& driverText = "",
                                const std::function<void()>& showChange = {});

}  // namespace movrand
