#pragma once
#include <optional>
#include <string>

#include "app/ProgramValues.h"
#include "platform/FileSystem.h"
#include "platform/Ui.h"

namespace movrand {

// Takes an installed accessory out of a team folder (no trailing "\"): each file its record
// names is deleted, and a file it replaced is copied back from the record's standard folder when
// that folder still holds it; then the description, the pictures and last the record go. A recorded
// file that is already gone counts as deleted, so a removal that stopped half-way can be run
// again to its end. Before anything changes the record's names are checked: the first one that
// would reach outside the team folder is returned and nothing is done. Raises the platform's
// error on a failing file operation.
std::optional<std::string> TakeOutAccessory(ProgramValues& pv, platform::Ui& ui,
                                            platform::FileSystem& fs, const std::string& teamFolder,
                                            const std::string& entry);

}  // namespace movrand
