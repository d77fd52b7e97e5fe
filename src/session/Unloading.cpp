// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/Unloading.h"

#include "platform/ErrorTrap.h"
#include "resources/StringTable.h"
#include "roster/DriverMatching.h"

namespace movrand {

bool ConfirmExit(ProgramValues& pv, platform::Ui& ui) {
    bool yes = false;
    platform::RunTrapped(ui, platform::TrapForm::Common, pv.ProgramName, [&] {
        platform::Question question;
        question.MyWidth = 4100;
        question.YesTooltip = resources::LoadResString(resources::kExitTip);
        question.NoTooltip = resources::LoadResString(resources::kReturnTip);
        question.Message = resources::LoadResString(resources::kExitQuestion);
        yes = ui.AskYesNo(question);
    });
    return yes;
}

void UnloadMainWindow(ProgramValues& pv, platform::Ui& ui, const WindowSettings& settings) {
    platform::RunTrapped(ui, platform::TrapForm::Information, pv.ProgramName, [&] {
        MatchDriversToCars(pv, ui);
        SaveWindowSettings(pv, settings);
    });
}

}  // namespace movrand
