// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <set>
#include <string>

#include "addons/AccessoryRecord.h"
#include "common/ProgramValues.h"
#include "platform/Ui.h"
#include "wine/FileSystem.h"

namespace movrand {

// Accessories of one team folder that carry a file of the same name stack up in the order they
// were installed: the team folder holds the latest one's copy, and each keeps in its backup
// folder the copy that stood there before it came.

// The order the next accessory installed into the team folder (no trailing "\") takes: one above
// that of every record there.
int NextAccessoryOrder(ProgramValues& pv, platform::Ui& ui, platform::FileSystem& fs,
                       const std::string& teamFolder);

// Before the accessory `entry` (its record read as `content`, its kept copies in
// `standardFolder`, "" when there are none) is taken out: every file of it that an accessory
// installed later also carries stays as it is, and the copy `entry` kept of it (or that it kept
// none) is handed on to the next later one, whose record is rewritten with a backup folder of
// its own. Returns those files, lower-cased.
std::set<std::string> HandOnToLaterAccessories(ProgramValues& pv, platform::Ui& ui,
                                               platform::FileSystem& fs,
                                               const std::string& teamFolder,
                                               const std::string& entry,
                                               const AccessoryRecordContent& content,
                                               const std::string& standardFolder);

}  // namespace movrand
