// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "wine/DriveTable.h"

namespace movrand::platform {

// The process's working folder in Windows notation, on the drive that maps it ("Z:\home\x"),
// or "" when no drive of the table holds it. Folder lists start there, as the platform's do.
std::string WorkingFolder(const DriveTable& drives);

}  // namespace movrand::platform
