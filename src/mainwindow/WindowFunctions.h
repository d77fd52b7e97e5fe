// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "app/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand::mainwindow {

// The drive letter a drive list is set to for a path: its first character ("" for "").
std::string DriveOfPath(const std::string& path);

// Asks "Do you wish to exit this program?" in the yes/no window (4100 twips wide, the window's
// own height); true when the user answered Yes. Carries the common error trap and answers No
// after an error, so a failing question never closes the program.
bool ConfirmExit(ProgramValues& pv, platform::Ui& ui);

}  // namespace movrand::mainwindow
