// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "wine/FileSystem.h"

namespace movrand {

// Why a stored "DriverIniFile" cannot be used, or "" when it can: its file must exist, be named
// driver.ini and stand in a folder that passes the installation check.
std::string StoredDriverIniProblem(const platform::FileSystem& fs, const std::string& path);

// The drive search for driver.ini: "" when no drive holds it. A drive that is not ready or whose
// root has gone counts as not holding the file; other failures are raised.
std::string SearchDriverIni(const platform::FileSystem& fs);

}  // namespace movrand
