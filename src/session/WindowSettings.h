// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "common/ProgramValues.h"

namespace movrand {

// The four values the main window keeps between runs (application "Zorvex", section "Movrand").
struct WindowSettings {
    bool AddOnsOnly = true;           // "AddOnsOnly": chk(1) "Show Add-ons Only"
    std::string CarManagerDirectory;  // folder of dir(0), "" when none is stored
    std::string CarFolder;            // folder of dir(2)
    std::string AddOnCarFolder;       // folder of dir(1)
};

// Reads the four values in the order the window applies them. "AddOnsOnly" ticks the box only
// when it is exactly "1"; when it is not stored, "1" is written at once and the box is ticked.
WindowSettings ReadWindowSettings(ProgramValues& pv);

// Writes the four values, in this order and each unconditionally: "AddOnsOnly" ("1" or "0"),
// "CarManagerDirectory", "CarFolder", "AddOnCarFolder".
void SaveWindowSettings(ProgramValues& pv, const WindowSettings& settings);

}  // namespace movrand
