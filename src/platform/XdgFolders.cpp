// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/XdgFolders.h"

#include <cstdlib>

namespace movrand::platform {

std::filesystem::path XdgFolder(const char* variable, const std::filesystem::path& belowHome) {
    if (const char* value = std::getenv(variable); value && *value == '/') return value;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/root") / belowHome;
}

}  // namespace movrand::platform
