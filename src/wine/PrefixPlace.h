// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "wine/DriveTable.h"

namespace movrand::platform {

// A folder is a Wine prefix when it holds the machine registry system.reg and a dosdevices or
// drive_c folder.
bool IsWinePrefix(const std::filesystem::path& folder);

// A place inside a Wine prefix: the prefix's folder and the Windows path by which the programs
// of that prefix reach it ("C:\sierra\gpl").
struct PrefixPlace {
    std::filesystem::path Prefix;
    std::string WindowsPath;
};

// A drive mapped to "/" or to the home folder reaches everything; searches leave such drives
// out, and a path reached only through one is no path of the prefix.
bool IsWideDrive(const Drive& drive, const std::filesystem::path& home);

// The Wine prefix that holds a native path (the nearest folder above it that is a prefix) and
// the path on that prefix's own drives; nothing when the path lies in no prefix or only a wide
// drive reaches it.
std::optional<PrefixPlace> PlaceInPrefix(const std::filesystem::path& native,
                                         const std::filesystem::path& home);

// Whether two prefix folders are one (either written differently, or reached through links).
bool SamePrefix(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace movrand::platform
