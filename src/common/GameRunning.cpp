// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/GameRunning.h"

#include "wine/GameProcesses.h"

namespace movrand {

bool MayChangeWhileGameRuns(const ProgramValues& pv, platform::Ui& ui) {
    if (pv.Env.WinePrefix.empty() || !platform::GameRunsInPrefix(pv.Env.WinePrefix)) return true;
    platform::Question question;
    question.Message =
        "GPL is running from this installation and holds its files open. Change them anyway? "
        "(Better: quit GPL first.)";
    question.YesTooltip = "Change the files while GPL runs";
    question.NoTooltip = "Leave the installation as it is";
    return ui.AskYesNo(question);
}

}  // namespace movrand
