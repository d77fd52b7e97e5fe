// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "common/ProgramValues.h"
#include "platform/Ui.h"

namespace movrand {

// Whether a change to the installation in use may go ahead: while GPL runs from it (and holds
// its files open), only after the user says Yes.
bool MayChangeWhileGameRuns(const ProgramValues& pv, platform::Ui& ui);

}  // namespace movrand
