// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "common/ProgramValues.h"
#include "platform/Ui.h"
#include "wine/FileSystem.h"

namespace movrand {

// How taking out an accessory went.
struct AccessoryTakeOut {
    // Why nothing was done: the record is not one the program could have written for this team
    // folder ("names the file ..."), "" when the removal went ahead.
    std::string Refusal;
    // Files the record names that no longer hold what was installed: they stay as they are.
    std::vector<std::string> LeftAlone;
};

// Takes an installed accessory out of a team folder (no trailing "\"): each file its record
// names is deleted or, where it replaced one, the earlier file is copied back beside it and
// renamed over it, so the folder is never without one of the two; then the description, the
// pictures and last the record go. A recorded file that is already gone counts as deleted, so a
// removal that stopped half-way can be run again to its end.
//
// A record can only undo what the program did, so before anything changes it is checked: its
// files lie in the team folder and are none of the program's own; it puts files back only from
// a backup folder under cars\replacedaccessories\ (or, in records of older versions, from an
// add-on car folder, beside which the add-on's marker file lies); and it deletes without putting
// back none of the game's own files (the team's .dat, files that a backup of the team's
// original car or its own backup folder holds). A record that fails is refused whole. A file
// whose size or fingerprint (kept by new records) is not what was installed is left alone.
// Raises the platform's error on a failing file operation.
AccessoryTakeOut TakeOutAccessory(ProgramValues& pv, platform::Ui& ui, platform::FileSystem& fs,
                                  const std::string& teamFolder, const std::string& entry);

}  // namespace movrand
