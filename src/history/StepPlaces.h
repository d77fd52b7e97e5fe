// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "history/HistoryPlace.h"
#include "history/StepRecord.h"
#include "wine/FileSystem.h"

namespace movrand::history {

// A car folder swap leaves a file "NAME.movrand-stored" beside each stored car folder it made or
// moved (the old live folder in its new place, the place a stored folder left for the game),
// holding the swap's random token, one a line: a later swap that makes or moves a folder in the
// same place (the stored folder swapped back, a copy over it) adds its own and leaves the earlier
// ones, so every step that reached the place can still be taken back. Each step names the folder
// with its own swap's token. The
// mark lies outside the installation, so no one who may write only inside it can make one, and
// it stays in its place while the folder moves in and out of the game (nothing is added to the
// folder itself, so the game gets back its car folder byte for byte). The history reaches only
// the stored car folders marked so.
std::string StoredMarkerBeside(const std::string& folder);

// Marks the place `folder` as a stored car folder of the swap with `token`, beside the swaps
// that marked it before. The mark is no change of any step.
void MarkStoredFolder(const platform::FileSystem& fs, const std::string& folder,
                      const std::string& token);
// True when the mark of the place `folder` holds `token` and the place holds a folder (no link)
// or nothing.
bool IsMarkedStored(const platform::FileSystem& fs, const std::string& folder,
                    const std::string& token);

// Refuses, naming `file` (the step's file or journal), a step that would reach outside the
// installation other than into the stored car folders it names with their swap's token, or into
// the history's own records (but its kept folders), or into the program's own folder `appPath`.
// Looked at before anything the step names is read or touched. `vouched`, when given, is the
// token of a swap this user's own record names (its marks may not be made yet).
void CheckStepPlaces(const HistoryPlace& place, const Step& step, const std::string& file,
                     const std::string& appPath, const std::string& vouched = "");

}  // namespace movrand::history
