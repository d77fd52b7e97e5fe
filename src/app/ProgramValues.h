#pragma once
#include <string>

#include "platform/Environment.h"

namespace movrand {

// The program-wide values, one instance per run, and the platform services the run works with.
struct ProgramValues {
    std::string AppPath;         // the program's own folder, ending with "\"
    std::string ProgramName;     // "Movrand": the title of the plain message boxes
    std::string DriverIniFile;   // full path of the game's driver.ini in use
    std::string WebsiteURL;      // address of the add-on website
    std::string GPLPath;         // the GPL installation folder in use, ending with "\"
    std::string DriverWorkFile;  // AppPath + "driver.zorvex"

    platform::Environment Env;

    platform::FileSystem Files() const { return Env.Files(); }
};

}  // namespace movrand
