// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>

namespace movrand::platform {

// Whether a process of the game (gpl.exe) runs in the Wine prefix `prefix`: one whose command
// line names gpl.exe and whose WINEPREFIX (or ~/.wine without one) is that prefix, or whose
// command line gives gpl.exe's path inside it. Processes that cannot be looked at (another
// user's) do not count.
bool GameRunsInPrefix(const std::filesystem::path& prefix);

}  // namespace movrand::platform
