// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace movrand::carsets {

// Why a path from a set file cannot name a file inside a car folder, or "" when it can: it is
// relative ("\" between names, no drive, no leading "\", no "..", no "."), and every name in it
// is one Windows accepts (no control characters, none of <>:"/|?*, no trailing blank or dot, no
// device name such as CON or LPT1, at most 255 bytes), in valid UTF-8.
std::string SetPathRefusal(const std::string& path);

// True for a file the program itself writes into a team folder (its install records,
// descriptions and pictures): they belong to one installation and are no part of a set.
bool IsOwnRecordPath(const std::string& path);
// True for a temporary file of the program's one scheme of temporary names (see
// platform::TemporaryName).
bool IsOwnTemporaryPath(const std::string& path);

}  // namespace movrand::carsets
