// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace movrand::platform {

// Starts a Windows program (its path in Windows notation) through Wine in the given prefix, in a
// normal window, and watches it for up to `watch`: false when Wine is not installed or could not
// be started, or when it ended within that time with a failure (a program Wine cannot find or
// load). A program still running then, or one that ended well, counts as started.
bool StartWindowsProgram(const std::string& windowsPath, const std::filesystem::path& winePrefix,
                         std::chrono::milliseconds watch = std::chrono::milliseconds(1500));

// Starts a program by its native path with these arguments and watches it as above.
bool StartWatched(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                  std::chrono::milliseconds watch);

// The `wine` program on the search path, or empty when there is none.
std::filesystem::path FindWine();

}  // namespace movrand::platform
