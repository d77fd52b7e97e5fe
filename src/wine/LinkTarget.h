// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "wine/FileSystem.h"

namespace movrand::platform {

// Where a chain of symbolic links at path ends, in Windows notation; the path itself when it is
// no link. A file written there leaves the link in place.
std::string LinkTarget(const FileSystem& fs, const std::string& path);

}  // namespace movrand::platform
