// SPDX-License-Identifier: GPL-3.0-or-later
#include "wine/DriveTable.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace movrand::platform {
namespace fs = std::filesystem;

DriveTable::DriveTable(std::vector<Drive> drives) : drives_(std::move(drives)) {
    for (Drive& d : drives_) d.Letter = static_cast<char>(std::toupper(d.Letter));
    std::stable_sort(drives_.begin(), drives_.end(),
                     [](const Drive& a, const Drive& b) { return a.Letter < b.Letter; });
}

DriveTable DriveTable::FromWinePrefix(const fs::path& prefix) {
    std::vector<Drive> drives;
    std::vector<bool> lowerCase;  // per drive: its entry was written "c:", not "C:"
    const fs::path dosdevices = prefix / "dosdevices";
    std::error_code ec;
    for (fs::directory_iterator it(dosdevices, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() != 2 || name[1] != ':' ||
            !std::isalpha(static_cast<unsigned char>(name[0])))
            continue;
        // A link that points nowhere is still a drive; it is simply not ready.
        fs::path root = it->path();
        std::error_code linkError;
        if (fs::is_symlink(it->symlink_status(linkError))) {
            fs::path target = fs::read_symlink(it->path(), linkError);
            if (!linkError) root = target.is_absolute() ? target : dosdevices / target;
        }
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        const bool lower = name[0] != upper;
        // Wine looks up "c:" before "C:": where both stand, the lower-case one is the drive.
        const auto same = std::find_if(drives.begin(), drives.end(),
                                       [&](const Drive& d) { return d.Letter == upper; });
        if (same != drives.end()) {
            if (lower && !lowerCase[same - drives.begin()]) {
                same->Root = root.lexically_normal();
                lowerCase[same - drives.begin()] = true;
            }
            continue;
        }
        drives.push_back({upper, root.lexically_normal()});
        lowerCase.push_back(lower);
    }
    // A prefix whose dosdevices Wine has not made yet gets them on its next start: C: its
    // drive_c, Z: the root.
    if (!fs::exists(fs::symlink_status(dosdevices, ec)) && fs::is_directory(prefix / "drive_c", ec))
        drives.push_back({'C', (prefix / "drive_c").lexically_normal()});
    const bool hasZ =
        std::any_of(drives.begin(), drives.end(), [](const Drive& d) { return d.Letter == 'Z'; });
    if (!hasZ) drives.push_back({'Z', fs::path("/")});
    return DriveTable(std::move(drives));
}

DriveTable DriveTable::FromEnvironment() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
        return FromWinePrefix(prefix);
    const char* home = std::getenv("HOME");
    return FromWinePrefix(fs::path(home && *home ? home : "/root") / ".wine");
}

std::optional<Drive> DriveTable::Find(char letter) const {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (const Drive& d : drives_)
        if (d.Letter == upper) return d;
    return std::nullopt;
}

const Drive* DriveTable::FindDrive(char letter) const {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (const Drive& d : drives_)
        if (d.Letter == upper) return &d;
    return nullptr;
}

std::optional<Drive> DriveTable::DriveHolding(const fs::path& native) const {
    std::optional<Drive> best;
    std::size_t bestLength = 0;
    const std::string text = native.lexically_normal().string();
    for (const Drive& d : drives_) {
        std::error_code ec;
        fs::path root = fs::weakly_canonical(d.Root, ec);
        if (ec) root = d.Root;
        std::string rootText = root.lexically_normal().string();
        while (rootText.size() > 1 && rootText.back() == '/') rootText.pop_back();
        const bool holds =
            rootText == "/" || (text.compare(0, rootText.size(), rootText) == 0 &&
                                (text.size() == rootText.size() || text[rootText.size()] == '/'));
        const std::size_t length = rootText == "/" ? 0 : rootText.size();
        if (holds && (!best || length > bestLength)) {
            best = d;
            bestLength = length;
        }
    }
    return best;
}

}  // namespace movrand::platform
