// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand {

// The default address of the add-on website.
inline constexpr const char* kDefaultWebsiteURL =
    "http://www.zorvex-gpl.example/zorvex/newsite/newdefaultjava.asp";

// The start-up: sets the program-wide values, finds driver.ini (stored path, drive search, or the
// file picker), makes the working copy and opens the main window through `showMainWindow`.
// Returns true when the main window was opened; false when the program is to end.
bool Main(ProgramValues& pv, platform::Ui& ui, const std::function<void()>& showMainWindow);

}  // namespace movrand
