// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/Unloading.h"

#include "platform/ErrorTrap.h"
#include "roster/DriverMatching.h"

namespace movrand::mainwindow {

void UnloadMainWindow(ProgramValues& pv, platform::Ui& ui, const WindowSettings& settings) {
    platform::RunTrapped(ui, platform::TrapForm::Information, pv.ProgramName, [&] {
        MatchDriversToCars(pv, ui);
        SaveWindowSettings(pv, settings);
    });
}

}  // namespace movrand::mainwindow
