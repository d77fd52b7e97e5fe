// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/StringTable.h"

#include <map>

namespace movrand::resources {

namespace {
const std::map<int, std::string>& Table() {
    static const std::map<int, std::string> table = {
        {kProgramName, "Movrand"},
        {kDriverIniNotFound, "Unable to find driver.ini           Please locate file."},
        {kNoDriverIniTerminating,
         "The driver.ini file has not been located.  The program is terminating."},
        {kAboutTip, " About Movrand... "},
        {kInternetConnected, "A connection has been made to the Internet -"},
        {kCloseToDisconnect, "TO DISCONNECT YOU MUST CLOSE THIS PROGRAM!"},
        {kConnectedTitle, "          *** CONNECTED TO INTERNET! ***"},
        {kIncreaseViewTip, " Double-Click to Increase View "},
        {kDecreaseViewTip, " Double-Click to Decrease View "},
        {kRemoveCarYesTip, " Yes, Remove this Add-on Car "},
        {kRemoveCarNoTip, " No, Do NOT Remove this Add-on Car "},
        {kRemoveCarQuestion, "Are you sure you want to remove this car?"},
        {kRemoveAccessoryYesTip, " Yes, Remove this Add-on Accessory "},
        {kRemoveAccessoryNoTip, " No, Do NOT Remove this Add-on Accessory "},
        {kRemoveAccessoryQuestion, "Are you sure you want to remove this accessory?"},
        {kCarRemoved, "The Car has been removed."},
        {kAccessoryRemoved, "The Accessory has been removed."},
        {kAccessoriesNeedCompleteCar,
         "The Accessories cannot be added as they are to be used with a complete car that is not in the GPL Car Folder."},
        {kAccessoryAdded, "The new accessory files have been added."},
        {kCarAdded, "The new car has been added."},
        {kWebsiteAddressPrompt, "Please enter the URL for the Zorvex"},
        {kFileNotSelectedTip, " Disabled (file not selected) "},
        {kCancelFileSelectionTip, " Click to Cancel File Selection "},
        {kSelectFileTip, " Double-click to Select this File "},
        {kUseFileTip, " Click to Use this File "},
        {kExitTip, " Click to Exit Program "},
        {kReturnTip, " Click to Return to Program "},
        {kExitQuestion, "Do you wish to exit this program?"},
        {kChangeInstallationQuestion,
         "Are you sure you want to change Movrand to use this new GPL Installation?"},
        {kTechnicalFailure,
         "There has been a technical failure - the operation cannot be completed."},
        {kNotAnInstallation,
         "The new Folder is NOT a valid GPL Installation Folder - Please re-select."},
        {kOnlineHelpTip, " Click to Display Online Help "},
        {kIncreaseTextViewTip, " Double-Click (on text) to Increase View "},
        {kDecreaseTextViewTip, " Double-Click (on text) to Decrease View "},
        {kWebsiteTip, " Click to Visit the Zorvex Website "},
    };
    return table;
}
}  // namespace

const std::string& LoadResString(int number) {
    static const std::string empty;
    const auto it = Table().find(number);
    return it == Table().end() ? empty : it->second;
}

}  // namespace movrand::resources
