// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/WindowFunctions.h"

#include "platform/ErrorTrap.h"
#include "resources/StringTable.h"

namespace movrand::mainwindow {

std::string DriveOfPath(const std::string& path) {
    return path.substr(0, 1);
}

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

}  // namespace movrand::mainwindow
