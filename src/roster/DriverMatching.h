// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand {

// Gives every driver of driver.ini a copy of his car's files under his own name in his team's
// folder, so the game shows his car: the car files are the team prefix + car number, the driver
// files the first three letters of his last name + car number + "a" (".3do" model, ".mip"
// textures). Existing driver files are never overwritten and car files never changed. Runs when
// the program closes; reads DriverIniFile itself (every change has been saved to it by then) and
// sets GPLPath to its folder. Carries the common error trap (a "team_number" that is no number
// ends the pass); each copy carries the information trap and, when it fails, creates nothing.
void MatchDriversToCars(ProgramValues& pv, platform::Ui& ui);

// The entries of the team drivers list (lst::kTeamDrivers) for one team, in driver-number
// order, read from the working copy: first name + " " + last name + " [" + car number + "]",
// followed by "   (matched to car)" when the driver's model file (first three letters of the last
// name + car number + "a.3do") exists in teamFolder.
//   team: the team or folder name as the add-on folder panel passes it (the marker's "team",
//         lower-cased; "cooper" and "honda" count as well); it picks the drivers through
//         TeamNumberOfFolder, and a name that is no team gives an empty list.
//   teamFolder: the Windows path of the folder whose files decide the mark. The panel passes
//         GPLPath + "cars\cars67\" + team, the name as passed and not the team table's folder
//         (so for "honda" no driver shows the mark). A missing "\" at its end is added.
// Carries the information error trap: a "team_number" that is no number ends the list there.
std::vector<std::string> ShowTeamDrivers(ProgramValues& pv, platform::Ui& ui,
                                         const std::string& team, const std::string& teamFolder);

}  // namespace movrand
