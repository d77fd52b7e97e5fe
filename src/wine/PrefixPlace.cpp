// SPDX-License-Identifier: GPL-3.0-or-later
#include "wine/PrefixPlace.h"

#include "wine/WindowsPath.h"

namespace movrand::platform {
namespace fs = std::filesystem;

bool IsWinePrefix(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder / "system.reg", ec) &&
           (fs::is_directory(folder / "dosdevices", ec) ||
            fs::is_directory(folder / "drive_c", ec));
}

bool IsWideDrive(const Drive& drive, const fs::path& home) {
    std::error_code ec;
    const fs::path root = fs::weakly_canonical(drive.Root, ec);
    if (ec) return false;
    if (root == root.root_path()) return true;
    return !home.empty() && SamePrefix(root, home);
}

std::optional<PrefixPlace> PlaceInPrefix(const fs::path& native, const fs::path& home) {
    std::error_code ec;
    const fs::path path = fs::weakly_canonical(fs::absolute(native, ec), ec);
    if (ec) return std::nullopt;
    for (fs::path folder = path; folder.has_relative_path(); folder = folder.parent_path()) {
        if (!IsWinePrefix(folder)) continue;
        const DriveTable drives = DriveTable::FromWinePrefix(folder);
        const std::optional<Drive> drive = drives.DriveHolding(path);
        if (!drive || IsWideDrive(*drive, home)) return std::nullopt;
        return PrefixPlace{folder, PathResolver(drives).ToWindows(path)};
    }
    return std::nullopt;
}

bool SamePrefix(const fs::path& a, const fs::path& b) {
    if (a.empty() || b.empty()) return a.empty() && b.empty();
    if (a.lexically_normal() == b.lexically_normal()) return true;
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

}  // namespace movrand::platform
