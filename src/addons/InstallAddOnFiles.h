// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand {

// How an installation ended (the desktop program ignores it; scripts and tests read it).
enum class InstallOutcome {
    NoTeam,     // the team is none of the game's (nothing shown, nothing changed)
    Refused,    // a message told why nothing was installed
    Installed,  // the success message was shown
    Failed,     // a file operation failed; the critical error report was shown
};

// Installs one entry of an add-on folder into the live folder of its team: a complete car that
// takes the place of the team's car, or an accessory added to the car that is there. Writes the
// records, description and pictures beside the files and backs up the game files it replaces.
//   isAccessory     the entry's kind is "accessory"
//   team            the marker's team, lower-cased; "" lets the user choose it
//   entryFolder     add-on folder + "\" + entryName
//   entryName       the entry's description as listed
//   standardFolder  add-on folder + "\" + entry 1's description in lower case when entry 1 is a
//                   car, else ""
//   addOnFolder     the add-on folder, without trailing "\"
InstallOutcome InstallAddOnFiles(ProgramValues& pv, platform::Ui& ui, bool isAccessory,
                                 const std::string& team, const std::string& entryFolder,
                                 const std::string& entryName, const std::string& standardFolder,
                                 const std::string& addOnFolder);

}  // namespace movrand
