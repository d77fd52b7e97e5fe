// SPDX-License-Identifier: GPL-3.0-or-later
#include "wine/WorkingFolder.h"

#include <filesystem>

#include "platform/RuntimeError.h"
#include "wine/WindowsPath.h"

namespace movrand::platform {

std::string WorkingFolder(const DriveTable& drives) {
    std::error_code ec;
    const std::filesystem::path here = std::filesystem::current_path(ec);
    if (ec) return "";
    try {
        return PathResolver(drives).ToWindows(here);
    } catch (const RuntimeError&) {
        return "";
    }
}

}  // namespace movrand::platform
