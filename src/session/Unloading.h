// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "common/ProgramValues.h"
#include "platform/Ui.h"
#include "session/WindowSettings.h"

namespace movrand {

// The main window's closing work, in order: the driver-to-car pass over driver.ini (which
// reports its own errors and returns), then the four settings the window keeps. Carries the
// information error trap: a failing save ends it at that setting.
// Asks "Do you wish to exit this program?" in the yes/no window (4100 twips wide, the window's
// own height); true when the user answered Yes. Carries the common error trap and answers No
// after an error, so a failing question never closes the program.
bool ConfirmExit(ProgramValues& pv, platform::Ui& ui);

void UnloadMainWindow(ProgramValues& pv, platform::Ui& ui, const WindowSettings& settings);

}  // namespace movrand
