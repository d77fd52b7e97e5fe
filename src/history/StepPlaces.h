// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "history/HistoryPlace.h"
#include "history/StepRecord.h"
#include "platform/FileSystem.h"

namespace movrand::history {

// The file a car folder swap leaves in a stored car folder it made (the old live folder moved
// out), holding the swap's random token: it travels with the folder. Where the swap moved a
// stored folder into the game, a file "NAME.movrand-stored" beside its old place holds the token
// instead. Both lie outside the installation, so no one who may write only inside it can make
// them: a step names a stored car folder with that token, and the history reaches only a folder
// marked so.
inline constexpr const char* kStoredMarker = "zorvexstored.zorvex";
std::string StoredMarkerBeside(const std::string& folder);

// Marks `folder` (inside when it is a folder, beside its place when nothing stands there) as a
// stored car folder of the swap with `token`.
void MarkStoredFolder(platform::FileSystem& fs, const std::string& folder,
                      const std::string& token);
// True when `folder` carries the mark with `token` (inside, or beside where it is gone).
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
