// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace movrand::platform {

// One entry found under a folder, links not followed.
struct WalkedEntry {
    std::string Name;  // relative to the folder, "\" between names
    bool Folder = false;
    std::int64_t ModifiedNs = 0;  // nanoseconds since the epoch
    std::int64_t ChangedNs = 0;   // last change of content, name or permissions (no one sets it)
    std::int64_t BornNs = 0;      // when it was made; 0 where the file system does not keep it
};

// Every entry under `folder` (not the folder itself), each folder before what it holds; a link
// is listed, never followed. Nothing when there is no folder there.
std::vector<WalkedEntry> WalkFolder(const std::filesystem::path& folder);

}  // namespace movrand::platform
