#include "resources/StringTable.h"

#include <map>

namespace movrand::resources {

namespace {
const std::map<int, std::string>& Table() {
    static const std::map<int, std::string> table = {
        {102, "Movrand"},
        {103, "Unable to find driver.ini           Please locate file."},
        {104, "The driver.ini file has not been located.  The program is terminating."},
        {105, " About Movrand... "},
        {106, "A connection has been made to the Internet -"},
        {107, "TO DISCONNECT YOU MUST CLOSE THIS PROGRAM!"},
        {108, "          *** CONNECTED TO INTERNET! ***"},
        {109, " Double-Click to Increase View "},
        {110, " Double-Click to Decrease View "},
        {111, " Yes, Remove this Add-on Car "},
        {112, " No, Do NOT Remove this Add-on Car "},
        {113, "Are you sure you want to remove this car?"},
        {114, " Yes, Remove this Add-on Accessory "},
        {115, " No, Do NOT Remove this Add-on Accessory "},
        {116, "Are you sure you want to remove this accessory?"},
        {117, "The Car has been removed."},
        {118, "The Accessory has been removed."},
        {119,
         "The Accessories cannot be added as they are to be used with a complete car that is not in the GPL Car Folder."},
        {120, "The new accessory files have been added."},
        {121, "The new car has been added."},
        {122, "Please enter the URL for the Zorvex"},
        {123, " Disabled (file not selected) "},
        {124, " Click to Cancel File Selection "},
        {125, " Double-click to Select this File "},
        {126, " Click to Use this File "},
        {127, " Click to Exit Program "},
        {128, " Click to Return to Program "},
        {129, "Do you wish to exit this program?"},
        {130, "Are you sure you want to change Movrand to use this new GPL Installation?"},
        {131, "There has been a technical failure - the operation cannot be completed."},
        {132, "The new Folder is NOT a valid GPL Installation Folder - Please re-select."},
        {133, " Click to Display Online Help "},
        {134, " Double-Click (on text) to Increase View "},
        {135, " Double-Click (on text) to Decrease View "},
        {136, " Click to Visit the Zorvex Website "},
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
