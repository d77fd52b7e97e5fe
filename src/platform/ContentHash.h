// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>

namespace movrand::platform {

// A fingerprint of a file's content (64-bit FNV-1a, as 16 hexadecimal digits), to tell later
// whether a file still holds what the program put there. Only a regular file is read; a link
// (unless `followLink`), a FIFO or anything else raises "Permission denied", a missing file "File
// not found".
std::string ContentHashOf(const std::filesystem::path& native, bool followLink = false);

}  // namespace movrand::platform
