// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "common/ProgramValues.h"

namespace movrand {

// The four values the main window keeps between runs (application "Zorvex", section "Movrand").
struct WindowSettings {
    bool AddOnsOnly = true;           // "AddOnsOnly": chk::kAddOnsOnly "Show Add-ons Only"
    std::string CarManagerDirectory;  // folder of dir::kAddOnFolder, "" when none is stored
    std::string CarFolder;            // folder of dir::kDestinationFolder
    std::string AddOnCarFolder;       // folder of dir::kSourceFolder
};

// Reads the four values in the order the window applies them. "AddOnsOnly" ticks the box only
// when it is exactly "1"; when it is not stored, "1" is written at once and the box is ticked.
WindowSettings ReadWindowSettings(ProgramValues& pv);

// Writes the four values, in this order and each unconditionally: "AddOnsOnly" ("1" or "0"),
// "CarManagerDirectory", "CarFolder", "AddOnCarFolder".
void SaveWindowSettings(ProgramValues& pv, const WindowSettings& settings);

}  // namespace movrand
