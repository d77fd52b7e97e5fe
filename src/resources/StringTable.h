// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace movrand::resources {

// The numbers of the program's string table. The numbers are the table's own and never change.
enum StringId : int {
    kProgramName = 102,             // "Movrand"
    kDriverIniNotFound = 103,       // asks the user to locate driver.ini
    kNoDriverIniTerminating = 104,  // driver.ini not located, the program ends
    kAboutTip = 105,
    kInternetConnected = 106,  // first line of the connection notice
    kCloseToDisconnect = 107,  // second line of the connection notice
    kConnectedTitle = 108,     // added to the window title while connected
    kIncreaseViewTip = 109,
    kDecreaseViewTip = 110,
    kRemoveCarYesTip = 111,
    kRemoveCarNoTip = 112,
    kRemoveCarQuestion = 113,
    kRemoveAccessoryYesTip = 114,
    kRemoveAccessoryNoTip = 115,
    kRemoveAccessoryQuestion = 116,
    kCarRemoved = 117,
    kAccessoryRemoved = 118,
    kAccessoriesNeedCompleteCar = 119,
    kAccessoryAdded = 120,
    kCarAdded = 121,
    kWebsiteAddressPrompt = 122,
    kFileNotSelectedTip = 123,
    kCancelFileSelectionTip = 124,
    kSelectFileTip = 125,
    kUseFileTip = 126,
    kExitTip = 127,
    kReturnTip = 128,
    kExitQuestion = 129,
    kChangeInstallationQuestion = 130,
    kTechnicalFailure = 131,
    kNotAnInstallation = 132,
    kOnlineHelpTip = 133,
    kIncreaseTextViewTip = 134,
    kDecreaseTextViewTip = 135,
    kWebsiteTip = 136,
};

// The program's string table, by number (101 to 136). An unknown number gives "".
const std::string& LoadResString(int number);

}  // namespace movrand::resources
