// SPDX-License-Identifier: GPL-3.0-or-later
#include "wine/LinkTarget.h"

#include "platform/FileSystemErrors.h"

namespace movrand::platform {

std::string LinkTarget(const FileSystem& fs, const std::string& path) {
    const std::filesystem::path native = fs.Native(path);
    std::error_code ec;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(native, ec))) return path;
    const std::filesystem::path target = std::filesystem::weakly_canonical(native, ec);
    if (ec) throw ErrorFromCode(ec, false);
    return fs.WindowsOf(target);
}

}  // namespace movrand::platform
