// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/ProgramValues.h"
#include "mainwindow/WindowSettings.h"
#include "platform/Ui.h"

namespace movrand::mainwindow {

// The main window's closing work, in order: the driver-to-car pass over driver.ini (which
// reports its own errors and returns), then the four settings the window keeps. Carries the
// information error trap: a failing save ends it at that setting.
void UnloadMainWindow(ProgramValues& pv, platform::Ui& ui, const WindowSettings& settings);

}  // namespace movrand::mainwindow
