// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "wine/DriveTable.h"

namespace movrand::platform {

// A path in the game's notation ("C:\sierra\gpl\driver.ini"; "/" is taken as a separator too)
// taken apart: its drive letter (0 when it has none) and its components.
struct WindowsPath {
    char DriveLetter = 0;
    std::vector<std::string> Components;

    static WindowsPath Parse(std::string_view text);
    // "C:\a\b" (a drive root is "C:\").
    std::string Text() const;
};

// Turns Windows-notation paths into native ones and back, over a drive table. Each component is
// matched against what exists without regard to letter case; a tail that does not exist keeps
// the case it was written in. "." and ".." are resolved by name and never climb above the drive.
class PathResolver {
  public:
    explicit PathResolver(const DriveTable& drives) : drives_(drives) {}

    // The native path; a path without a drive letter is taken from the working folder. An
    // unknown drive letter raises 71 "Disk not ready", which is also what a drive whose root
    // does not exist raises.
    std::filesystem::path ToNative(std::string_view windowsPath) const;

    // The Windows-notation text of a native path, on the drive that maps it (Z: reaches "/").
    std::string ToWindows(const std::filesystem::path& native) const;

    // The path as the file system reports it: every existing component in its stored case.
    std::string Reported(std::string_view windowsPath) const;

    const DriveTable& Drives() const { return drives_; }

  private:
    const DriveTable& drives_;
};

// Resolves one name inside a native folder without regard to case: the entry as stored, or
// the name as given when nothing matches.
std::filesystem::path ResolveName(const std::filesystem::path& folder, const std::string& name);

}  // namespace movrand::platform
