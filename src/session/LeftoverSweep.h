// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "common/ProgramValues.h"

namespace movrand {

// Removes what runs that were killed left of files being written: the temporaries of the
// program's one naming scheme in every folder it replaces files in (its own folder, the settings
// folder, the GPL installation folder, the live car folder, its team folders and the accessories'
// backup folders), and a killed set-apply's half-built car folder. Called at start-up, once the
// installation is known; never fails.
void SweepLeftoverTemporaries(const ProgramValues& pv);

}  // namespace movrand
