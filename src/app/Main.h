// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

#include "app/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand {

// The default address of the add-on website.
inline constexpr const char* kDefaultWebsiteURL =
    "http://www.zorvex-gpl.example/zorvex/newsite/newdefaultjava.asp";

// The start-up: sets the program-wide values, finds driver.ini (stored path, drive search, or the
// file picker), makes the working copy and opens the main window through `showMainWindow`.
// Returns true when the main window was opened; false when the program is to end.
bool Main(ProgramValues& pv, platform::Ui& ui, const std::function<void()>& showMainWindow);

// Why a stored "DriverIniFile" cannot be used, or "" when it can: its file must exist, be named
// driver.ini and stand in a folder that passes the installation check.
std::string StoredDriverIniProblem(const platform::FileSystem& fs, const std::string& path);

// The drive search for driver.ini: "" when no drive holds it. A drive that is not ready or whose
// root has gone counts as not holding the file; other failures are raised.
std::string SearchDriverIni(const platform::FileSystem& fs);

}  // namespace movrand
